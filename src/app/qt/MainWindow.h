#pragma once
// The program's main window: toolbar, form selector, tree of lists, splitter, find box and the
// record grid on its five canvases, and the tray icon. Its handlers are thin: what they decide is
// in the logic (layout arithmetic, toolbar commands, control states, list tree).
#include <QMainWindow>
#include <memory>

#include "app/MainWindowView.h"

struct AppContext;
class ComboDropDown;
struct QtDesktop;
class ListTreeModel;
class Dialogs;
class FindBox;
class MainToolbar;
class QComboBox;
class QTreeView;
class QtCanvas;
class SplitterBar;
class ToolbarCommands;
class TrayIcon;

class MainWindow : public QMainWindow, public MainWindowView {
    Q_OBJECT
  public:
    MainWindow(AppContext& context, Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window in its normal state (also when minimised or hidden), raises and
    // activates it: what a second start of the program asks for.
    void bringToFront();

    void mainWindowSizeChanged();
    void splitterMoved(int newLeft);
    void mainWindowClosing();
    void trayEvent(int kind);
    void toolbarClicked(int index);
    void formSelectorChosen(int index);

    // Controls, for the program's other windows and for tests.
    MainToolbar* toolbar() const { return toolbar_; }
    QComboBox* formSelectorBox() const { return formSelector_; }
    FindBox* findBox() const { return findBox_; }
    SplitterBar* splitter() const { return splitter_; }
    QtCanvas* dataCanvas() const { return data_; }
    QtCanvas* headerCanvas() const { return header_; }
    QtCanvas* gridContainer() const { return container_; }
    QTreeView* treeView() const { return tree_; }
    int splitterLeft() const { return splitterLeft_; }

    // MainWindowView
    DropDownList& formSelector() override;
    bool toolbarChecked(int index) const override;
    void setToolbarChecked(int index, bool checked) override;
    std::string toolbarText(int index) const override;
    void setToolbarText(int index, const std::string& text) override;
    void setToolbarEnabled(int index, bool enabled) override;
    bool findBoxVisible() const override;
    void setFindBoxVisible(bool visible) override;
    void relayout() override;
    void openFormDesigner() override;
    void openEntryPanel() override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void buildCanvases();
    void mainWindowCreated();
    void restoreLayoutSettings();
    void attachGrid();
    void bindTree();
    void routeWheel(QEvent* event);
    void forwardPointer(QEvent* event);

    AppContext& context_;
    Dialogs& dialogs_;
    QWidget* client_ = nullptr;
    MainToolbar* toolbar_ = nullptr;
    QComboBox* formSelector_ = nullptr;
    std::unique_ptr<ComboDropDown> formSelectorList_;
    QTreeView* tree_ = nullptr;
    SplitterBar* splitter_ = nullptr;
    FindBox* findBox_ = nullptr;
    QtCanvas* container_ = nullptr;
    QtCanvas* header_ = nullptr;
    QtCanvas* data_ = nullptr;
    QtCanvas* hBar_ = nullptr;
    QtCanvas* vBar_ = nullptr;
    ListTreeModel* treeModel_ = nullptr;
    std::unique_ptr<QtDesktop> desktop_;
    TrayIcon* tray_ = nullptr;
    std::unique_ptr<ToolbarCommands> commands_;
    int splitterLeft_ = 304;
    bool closed_ = false;  // the close handler ran: a second close saves nothing twice
};
