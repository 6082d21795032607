#include "app/qt/TrayIcon.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWidget>

TrayIcon::TrayIcon(QWidget* window, EventHandler handler)
    : QObject(window), handler_(std::move(handler)) {}

TrayIcon::~TrayIcon() {
    remove();
}

bool TrayIcon::show(const QString& tooltip) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
    if (!icon_) {
        icon_ = new QSystemTrayIcon(QIcon(":/icons/program.svg"), this);
        connect(icon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (!handler_) return;
                    if (reason == QSystemTrayIcon::Trigger) handler_(1);
                    if (reason == QSystemTrayIcon::Context) handler_(3);
                });
    }
    icon_->setToolTip(tooltip);
    icon_->show();
    return true;
}

void TrayIcon::remove() {
    if (icon_) icon_->hide();
}

bool TrayIcon::isShown() const {
    return icon_ && icon_->isVisible();
}

void toggleWindowFromTray(QWidget* window) {
    if (window->isVisible()) {
        window->hide();
        return;
    }
    const bool wasOnTop = window->windowFlags() & Qt::WindowStaysOnTopHint;
    if (window->isMinimized()) {
        // Restored, and centred on its screen.
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        if (QScreen* screen = window->screen()) {
            QRect frame = window->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            window->move(frame.topLeft());
        }
    }
    window->show();
    // Briefly on top so that the window comes in front even where the desktop refuses to let a
    // background program take the focus.
    if (!wasOnTop) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        window->show();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, false);
        window->show();
    }
    window->raise();
    window->activateWindow();
}
