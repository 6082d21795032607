#include "settings/qt/QtControlStates.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QVariant>
#include <QWidget>

#include "platform/TextCodec.h"

namespace {

std::string toGbk(const QString& s) {
    return utf8ToGbk(s.toUtf8().toStdString());
}
QString fromGbk(const std::string& s) {
    return QString::fromStdString(gbkToUtf8(s));
}

// Item lists as GBK item texts, each ended by CR LF.
std::string itemsToBytes(const QStringList& items) {
    std::string bytes;
    for (const QString& item : items) bytes += toGbk(item) + "\r\n";
    return bytes;
}
QStringList itemsFromBytes(const std::string& bytes) {
    QStringList items;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        items << fromGbk(bytes.substr(start, end - start));
        start = end + 2;
    }
    return items;
}

class WidgetControl : public StatefulControl {
  public:
    explicit WidgetControl(QWidget* w) : w_(w) {}

    std::string name() const override { return w_ ? toGbk(w_->objectName()) : std::string(); }
    std::string tag() const override {
        return w_ ? toGbk(w_->property("tag").toString()) : std::string();
    }
    void setTag(const std::string& tag) override {
        if (w_) w_->setProperty("tag", fromGbk(tag));
    }

    std::string text() const override {
        if (auto* e = qobject_cast<QLineEdit*>(w_)) return toGbk(e->text());
        if (auto* e = qobject_cast<QPlainTextEdit*>(w_)) return toGbk(e->toPlainText());
        if (auto* e = qobject_cast<QTextEdit*>(w_)) return toGbk(e->toPlainText());
        if (auto* c = qobject_cast<QComboBox*>(w_)) return toGbk(c->currentText());
        return {};
    }
    void setText(const std::string& text) override {
        if (auto* e = qobject_cast<QLineEdit*>(w_)) e->setText(fromGbk(text));
        if (auto* e = qobject_cast<QPlainTextEdit*>(w_)) e->setPlainText(fromGbk(text));
        if (auto* e = qobject_cast<QTextEdit*>(w_)) e->setPlainText(fromGbk(text));
        if (auto* c = qobject_cast<QComboBox*>(w_); c && c->isEditable())
            c->setEditText(fromGbk(text));
    }
    bool checked() const override {
        auto* b = qobject_cast<QAbstractButton*>(w_);
        return b && b->isChecked();
    }
    void setChecked(bool on) override {
        if (auto* b = qobject_cast<QAbstractButton*>(w_)) b->setChecked(on);
    }
    int currentIndex() const override {
        if (auto* c = qobject_cast<QComboBox*>(w_)) return c->currentIndex();
        if (auto* l = qobject_cast<QListWidget*>(w_)) return l->currentRow();
        return -1;
    }
    void setCurrentIndex(int index) override {
        // Selecting by program does not run the selection handlers.
        const QSignalBlocker block(w_);
        if (auto* c = qobject_cast<QComboBox*>(w_)) c->setCurrentIndex(index);
        if (auto* l = qobject_cast<QListWidget*>(w_)) l->setCurrentRow(index);
    }
    std::string itemBytes() const override {
        QStringList items;
        if (auto* c = qobject_cast<QComboBox*>(w_))
            for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
        if (auto* l = qobject_cast<QListWidget*>(w_))
            for (int i = 0; i < l->count(); ++i) items << l->item(i)->text();
        return itemsToBytes(items);
    }
    void setItemBytes(const std::string& bytes) override {
        const QSignalBlocker block(w_);
        const QStringList items = itemsFromBytes(bytes);
        if (auto* c = qobject_cast<QComboBox*>(w_)) {
            c->clear();
            c->addItems(items);
        }
        if (auto* l = qobject_cast<QListWidget*>(w_)) {
            const bool checkable = controlKindOf(name()) == ControlKind::CheckListBox;
            l->clear();
            l->addItems(items);
            if (checkable)
                for (int i = 0; i < l->count(); ++i) l->item(i)->setCheckState(Qt::Unchecked);
        }
    }
    int itemCount() const override {
        if (auto* c = qobject_cast<QComboBox*>(w_)) return c->count();
        if (auto* l = qobject_cast<QListWidget*>(w_)) return l->count();
        return 0;
    }
    bool itemSelected(int i) const override {
        auto* l = qobject_cast<QListWidget*>(w_);
        return l && l->item(i) && l->item(i)->isSelected();
    }
    void selectItem(int i) override {
        auto* l = qobject_cast<QListWidget*>(w_);
        if (l && l->item(i)) l->item(i)->setSelected(true);
    }
    bool itemChecked(int i) const override {
        auto* l = qobject_cast<QListWidget*>(w_);
        return l && l->item(i) && l->item(i)->checkState() == Qt::Checked;
    }
    void checkItem(int i) override {
        auto* l = qobject_cast<QListWidget*>(w_);
        if (l && l->item(i)) l->item(i)->setCheckState(Qt::Checked);
    }
    int64_t colour() const override { return w_ ? w_->property("colour").toLongLong() : 0; }
    void setColour(int64_t colour) override {
        if (w_) w_->setProperty("colour", QVariant::fromValue<qlonglong>(colour));
    }

  private:
    QPointer<QWidget> w_;  // a restore yields, and a control may go away meanwhile
};

}  // namespace

std::vector<std::unique_ptr<StatefulControl>> statefulControlsOf(QWidget* window) {
    std::vector<std::unique_ptr<StatefulControl>> controls;
    for (QWidget* w : window->findChildren<QWidget*>())
        controls.push_back(std::make_unique<WidgetControl>(w));
    return controls;
}

void syncWindowControlStates(SettingsStore& store, QWidget* window, bool restore,
                             const std::string& section, const ControlStateOptions& options,
                             const UiYield& yield) {
    auto owned = statefulControlsOf(window);
    std::vector<StatefulControl*> controls;
    for (auto& c : owned) controls.push_back(c.get());
    syncControlStates(store, controls, restore, section, options, yield);
}
