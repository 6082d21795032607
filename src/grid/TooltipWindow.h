#pragma once
// The grid's tooltip: one tip window over the platform's facility, with at most one tool at a
// time. Without a window (never created, or creation failed) every operation does nothing.
#include <string>

#include "platform/TooltipHost.h"

class TooltipWindow {
  public:
    TooltipWindow() = default;
    ~TooltipWindow();
    // One window has one owner: a copy would destroy it twice.
    TooltipWindow(const TooltipWindow&) = delete;
    TooltipWindow& operator=(const TooltipWindow&) = delete;

    // Creates the window once through host (which must outlive this object); true when it was
    // created by this call, false when one exists already or the platform failed.
    bool create(TooltipHost* host, bool setMaxWidth, bool balloon);
    // Registers tool with text, replacing a tool it already has; false without a window.
    bool addTool(Canvas& tool, const std::string& text, bool centred);
    void removeTool(Canvas& tool);
    // Destroys the window; true when there was one.
    bool destroyWindow();
    bool hasWindow() const { return host_ != nullptr; }

    static constexpr int kMaxTipWidth = 1024;

  private:
    TooltipHost* host_ = nullptr;  // set while the window exists
    Canvas* tool_ = nullptr;       // the registered tool, if any
};
