#include "grid/TooltipWindow.h"

TooltipWindow::~TooltipWindow() {
    destroyWindow();
}

bool TooltipWindow::create(TooltipHost* host, bool setMaxWidth, bool balloon) {
    if (host_ || !host) return false;
    if (!host->createWindow(setMaxWidth ? kMaxTipWidth : 0, balloon)) return false;
    host_ = host;
    return true;
}

bool TooltipWindow::addTool(Canvas& tool, const std::string& text, bool centred) {
    if (!host_) return false;
    if (tool_) removeTool(*tool_);
    if (!host_->addTool(tool, text, centred)) return false;
    tool_ = &tool;
    return true;
}

void TooltipWindow::removeTool(Canvas& tool) {
    if (!host_) return;
    host_->removeTool(tool);
    if (tool_ == &tool) tool_ = nullptr;
}

bool TooltipWindow::destroyWindow() {
    if (!host_) return false;
    host_->destroyWindow();
    host_ = nullptr;
    tool_ = nullptr;
    return true;
}
