#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/TextCodec.h"
#include "platform/qt/QtDialogs.h"

namespace {

struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Answers the next message box by pressing button (NoButton: closes it with Escape).
void answerNextBox(SeenBox& seen, QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [&seen, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            answerNextBox(seen, button);
            return;
        }
        seen = {box->text(), box->windowTitle(), box->icon(), box->standardButtons()};
        if (button == QMessageBox::NoButton) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            box->button(button)->click();
        }
    });
}

}  // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void showsGbkTextsAndReturnsTheAnswer_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("qtIcon");
        auto row = [](const char* name, MessageButtons b, QMessageBox::StandardButton press,
                      MessageAnswer a, MessageIcon i, QMessageBox::Icon q) {
            QTest::newRow(name) << int(b) << int(press) << int(a) << int(i) << int(q);
        };
        row("ok", MessageButtons::Ok, QMessageBox::Ok, MessageAnswer::Ok, MessageIcon::Information,
            QMessageBox::Information);
        row("ok-cancel, cancel", MessageButtons::OkCancel, QMessageBox::Cancel,
            MessageAnswer::Cancel, MessageIcon::Question, QMessageBox::Question);
        row("ok-cancel, ok", MessageButtons::OkCancel, QMessageBox::Ok, MessageAnswer::Ok,
            MessageIcon::Exclamation, QMessageBox::Warning);
        row("yes-no, escape", MessageButtons::YesNo, QMessageBox::NoButton, MessageAnswer::No,
            MessageIcon::Warning, QMessageBox::Warning);
        row("yes-no-cancel, no", MessageButtons::YesNoCancel, QMessageBox::No, MessageAnswer::No,
            MessageIcon::Question, QMessageBox::Question);
    }

    void showsGbkTextsAndReturnsTheAnswer() {
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, answer);
        QFETCH(int, icon);
        QFETCH(int, qtIcon);
        QtDialogs dialogs;
        SeenBox seen;
        answerNextBox(seen, QMessageBox::StandardButton(press));
        MessageAnswer got = dialogs.showMessage(utf8ToGbk("廣東\r\n😀"), utf8ToGbk("澄溪："),
                                                MessageIcon(icon), MessageButtons(buttons));
        QCOMPARE(int(got), answer);
        QCOMPARE(seen.text, QStringLiteral("廣東\r\n😀"));
        QCOMPARE(seen.title, QStringLiteral("澄溪："));
        QCOMPARE(int(seen.icon), qtIcon);
    }
};

QTEST_MAIN(QtDialogsTest)
#include "QtDialogsTest.moc"
