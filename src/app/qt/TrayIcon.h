#pragma once
// The tray icon: a left click hides or shows the main window, a right click asks whether to exit.
// Where the desktop has no tray the icon is never shown and the window is closed instead.
#include <QObject>
#include <functional>

class QSystemTrayIcon;
class QWidget;

class TrayIcon : public QObject {
    Q_OBJECT
  public:
    // kind 1 a left click, 3 a right click.
    using EventHandler = std::function<void(int kind)>;
    TrayIcon(QWidget* window, EventHandler handler);
    ~TrayIcon() override;

    // Shows the icon when the desktop has a tray; false otherwise.
    bool show(const QString& tooltip);
    void remove();
    bool isShown() const;

  private:
    QSystemTrayIcon* icon_ = nullptr;
    EventHandler handler_;
};

// Hides the window, or shows it again in front of the others: restored and centred when it had
// been minimised.
void toggleWindowFromTray(QWidget* window);
