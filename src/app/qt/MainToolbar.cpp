#include "app/qt/MainToolbar.h"

#include <QAction>
#include <QIcon>
#include <QSignalBlocker>

#include "app/ToolbarButtons.h"
#include "platform/TextCodec.h"

namespace {
QString fromGbk(const std::string& s) {
    return QString::fromStdString(gbkToUtf8(s));
}
}  // namespace

MainToolbar::MainToolbar(QWidget* parent) : QToolBar(parent) {
    setObjectName(QString::fromUtf8("工具条"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(20, 20));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const auto& images = toolbarImageNames();
    const auto& buttons = toolbarButtons();
    for (int index = 0; index < static_cast<int>(buttons.size()); ++index) {
        const ToolbarButtonSpec& button = buttons[index];
        if (button.separator) {
            actions_.push_back(addSeparator());
            continue;
        }
        QAction* action =
            addAction(QIcon(QString::fromStdString(images.at(button.image))), fromGbk(button.text));
        action->setToolTip(fromGbk(button.tooltip));
        action->setCheckable(button.toggle);
        connect(action, &QAction::triggered, this, [this, action, index] {
            // Qt flips a checkable action on its own; the command decides the checked state.
            if (action->isCheckable()) {
                const QSignalBlocker block(action);
                action->setChecked(!action->isChecked());
            }
            if (clicked_) clicked_(index);
        });
        actions_.push_back(action);
    }
}

bool MainToolbar::isChecked(int index) const {
    return actions_.at(index)->isChecked();
}

void MainToolbar::setChecked(int index, bool checked) {
    const QSignalBlocker block(actions_.at(index));
    actions_.at(index)->setChecked(checked);
}

QString MainToolbar::text(int index) const {
    return actions_.at(index)->text();
}

void MainToolbar::setText(int index, const QString& text) {
    actions_.at(index)->setText(text);
}

void MainToolbar::setEnabled(int index, bool enabled) {
    actions_.at(index)->setEnabled(enabled);
}

void MainToolbar::click(int index) {
    actions_.at(index)->trigger();
}
