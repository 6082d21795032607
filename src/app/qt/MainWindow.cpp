#include "app/qt/MainWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QIcon>
#include <QTreeView>

#include "app/AppContext.h"
#include "app/FormSelector.h"
#include "app/MainWindowLayout.h"
#include "app/ToolbarButtons.h"
#include "app/ToolbarCommands.h"
#include "app/qt/ComboDropDown.h"
#include "app/qt/FindBox.h"
#include "app/qt/MainToolbar.h"
#include "app/qt/SplitterBar.h"
#include "app/qt/TrayIcon.h"
#include "forms/FormLibraryStore.h"
#include "lists/ListStore.h"
#include "lists/ListTreeController.h"
#include "platform/Dialogs.h"
#include "platform/NumberText.h"
#include "platform/TextCodec.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtDesktopServices.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtTooltipHost.h"
#include "settings/qt/QtControlStates.h"

// The icons live in the Qt library, which the linker would leave out of a static build unasked.
static void loadIcons() {
    Q_INIT_RESOURCE(assets);
}

namespace {
const std::string& mainSection() {
    return GBK("主界面");
}
UiYield uiYield() {
    return [] { QCoreApplication::processEvents(); };
}
}  // namespace

MainWindow::MainWindow(AppContext& context, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), context_(context), dialogs_(dialogs) {
    loadIcons();
    setObjectName(QStringLiteral("Listaro"));
    setWindowTitle(
        toQString(GBK("澄溪·表单录入台 v1.1.0.0 - "
                      "点击链接打开，按住Alt键点击复制；右击复制单列，按住Alt键右击复制整行。")));
    setWindowIcon(QIcon(":/icons/program.svg"));
    resize(1192, 656);
    buildControls();
    commands_ = std::make_unique<ToolbarCommands>(context_, *this, dialogs_);
    mainWindowCreated();
}

MainWindow::~MainWindow() {
    // The grid lives on in the application objects; its canvases die with this window.
    context_.grid.detach();
}

void MainWindow::buildControls() {
    client_ = new QWidget(this);
    setCentralWidget(client_);
    client_->installEventFilter(this);
    client_->setMouseTracking(true);

    toolbar_ = new MainToolbar(client_);
    toolbar_->setClickHandler([this](int index) { toolbarClicked(index); });

    formSelector_ = new QComboBox(client_);
    formSelector_->setObjectName(QString::fromUtf8("组合框表单"));
    formSelectorList_ = std::make_unique<ComboDropDown>(formSelector_);
    connect(formSelector_, &QComboBox::activated, this,
            [this](int index) { formSelectorChosen(index); });

    tree_ = new QTreeView(client_);
    tree_->setObjectName(QString::fromUtf8("树型框"));
    tree_->setHeaderHidden(true);

    splitter_ = new SplitterBar(client_);
    splitter_->setMoveHandler([this](int newLeft) { splitterMoved(newLeft); });

    findBox_ = new FindBox(client_);
    desktop_ = std::make_unique<QtDesktop>();
    buildCanvases();

    tray_ = new TrayIcon(this, [this](int kind) { trayEvent(kind); });
}

void MainWindow::mainWindowCreated() {
    restoreLayoutSettings();
    syncWindowControlStates(context_.settings, this, true, mainSection(), {}, uiYield());
    context_.settings.selectSection(formLibrarySection());
    const int formIndex = saturatedInteger<int>(context_.settings.readNumber(formIndexKey(), 0));
    fillFormSelector(*formSelectorList_, context_.formLibrary, formIndex, true);
    if (formSelectorList_->selectedIndex() < 0) formSelectorList_->setSelectedIndex(0);
    attachGrid();
    bindTree();
    mainWindowSizeChanged();
    context_.listTree->loadTreeFile();
    context_.listTree->restoreTreeSelection();
    tray_->show(toQString(context_.productTitle));
}

void MainWindow::restoreLayoutSettings() {
    SettingsStore& settings = context_.settings;
    settings.selectSection(mainSection());
    // Kept inside the window as a drag is: a position stored in a wider window would leave the
    // splitter out of reach and the grid without width.
    splitterLeft_ = clampSplitterLeft(
        saturatedInteger<int>(settings.readNumber(GBK("分隔条位置"), splitterLeft_)), width(),
        SplitterBar::kWidth);
    if (settings.readBool(GBK("显示查找框"), false)) {
        toolbar_->setChecked(ToolbarButton::FindRecords, true);
        findBox_->show();
    }
    if (settings.readBool(GBK("自动列宽"), true))
        toolbar_->setChecked(ToolbarButton::AutoWidth, true);
}

void MainWindow::mainWindowClosing() {
    if (closed_) return;
    closed_ = true;
    // A list still loading stops here: the window and the grid are about to go.
    context_.listTree->supersede();
    syncWindowControlStates(context_.settings, this, false, mainSection(), {}, uiYield());
    context_.listTree->supersede();
    context_.listTree->saveTreeSelection();
    context_.lists->saveListState(true);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    mainWindowClosing();
    tray_->remove();
    event->accept();
}

void MainWindow::bringToFront() {
    // Restores a minimised window to its former state, maximised or not.
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainWindow::trayEvent(int kind) {
    if (kind == 1) {
        toggleWindowFromTray(this);
        return;
    }
    if (kind != 3) return;
    const std::string question = GBK("确定要退出本软件《") + context_.productTitle + GBK("》吗？");
    if (dialogs_.showMessage(question, context_.productTitle, MessageIcon::Question,
                             MessageButtons::OkCancel) != MessageAnswer::Ok)
        return;
    mainWindowClosing();
    tray_->remove();
    // The loop ends and the program tears down as after a close.
    QCoreApplication::exit(0);
}

void MainWindow::toolbarClicked(int index) {
    commands_->toolbarClicked(index);
}

void MainWindow::formSelectorChosen(int index) {
    if (::formSelectorChosen(*formSelectorList_, context_.settings, index)) openFormDesigner();
}

DropDownList& MainWindow::formSelector() {
    return *formSelectorList_;
}

bool MainWindow::toolbarChecked(int index) const {
    return toolbar_->isChecked(index);
}

void MainWindow::setToolbarChecked(int index, bool checked) {
    toolbar_->setChecked(index, checked);
}

std::string MainWindow::toolbarText(int index) const {
    return toGbk(toolbar_->text(index));
}

void MainWindow::setToolbarText(int index, const std::string& text) {
    toolbar_->setText(index, toQString(text));
}

void MainWindow::setToolbarEnabled(int index, bool enabled) {
    toolbar_->setEnabled(index, enabled);
}

bool MainWindow::findBoxVisible() const {
    return !findBox_->isHidden();
}

void MainWindow::setFindBoxVisible(bool visible) {
    findBox_->setVisible(visible);
}

void MainWindow::relayout() {
    mainWindowSizeChanged();
}

// The form designer and the entry panel are windows of their own that come later.
void MainWindow::openFormDesigner() {}

void MainWindow::openEntryPanel() {}
