#include "platform/qt/QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "platform/qt/QtText.h"

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Warning:
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return QMessageBox::Ok;
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Closing the box without a button counts as the most cautious answer it offers.
MessageAnswer answerOf(int button, MessageButtons buttons) {
    switch (button) {
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
    }
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
}

}  // namespace

MessageAnswer QtDialogs::showMessage(const std::string& text, const std::string& title,
                                     MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(boxIcon(icon), toQString(title), toQString(text), boxButtons(buttons), parent_);
    return answerOf(box.exec(), buttons);
}

std::vector<std::string> QtDialogs::chooseOpenFiles(const std::string& title,
                                                    const std::string& filter) {
    std::vector<std::string> files;
    const QStringList chosen =
        QFileDialog::getOpenFileNames(parent_, toQString(title), QString(), toQString(filter));
    for (const QString& file : chosen) files.push_back(toGbk(file));
    return files;
}

std::string QtDialogs::chooseSaveFile(const std::string& title, const std::string& filter,
                                      const std::string& suggestedName) {
    return toGbk(QFileDialog::getSaveFileName(parent_, toQString(title), toQString(suggestedName),
                                              toQString(filter)));
}
