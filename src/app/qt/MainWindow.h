#pragma once
// The program's main window.
#include <QMainWindow>

struct AppContext;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(AppContext& context, QWidget* parent = nullptr);

    // Shows the window in its normal state (also when minimised or hidden), raises and
    // activates it: what a second start of the program asks for.
    void bringToFront();

  private:
    AppContext& context_;
};
