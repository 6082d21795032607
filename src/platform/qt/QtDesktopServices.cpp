#include "platform/qt/QtDesktopServices.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include "platform/TextCodec.h"

QUrl openableUrl(const std::string& utf8Address) {
    const QString address = QString::fromStdString(utf8Address).trimmed();
    // A link naming a program is never run, whatever the desktop would do with it.
    if (address.isEmpty() || address.endsWith(".exe", Qt::CaseInsensitive)) return {};
    const QUrl url = QUrl::fromUserInput(address);
    // Links point into the network; a local file or an unknown scheme could start a program.
    static const QStringList schemes = {"http", "https", "ftp", "ftps", "mailto"};
    if (!url.isValid() || !schemes.contains(url.scheme().toLower())) return {};
    return url;
}

void QtShell::openAddress(const std::string& address) {
    const QUrl url = openableUrl(gbkToUtf8(address));
    // The address goes to the desktop's handler as one URL; no shell ever parses it.
    if (!url.isEmpty()) QDesktopServices::openUrl(url);
}

void QtClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(gbkToUtf8(text)));
}

void QtBeep::beep() {
    QApplication::beep();
}

bool QtKeys::altDown() {
    return QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier;
}

bool QtKeys::ctrlDown() {
    return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
}
