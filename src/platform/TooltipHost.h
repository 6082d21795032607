#pragma once
// The platform's tooltip facility: one tip window whose tools are canvases. A tool's text shows by
// itself when the pointer rests over its canvas and hides when the pointer leaves or a button is
// pressed; the program never positions or times a tip.
#include <string>

class Canvas;

class TooltipHost {
  public:
    virtual ~TooltipHost() = default;
    // Creates the tip window, topmost; texts wider than maxTipWidth pixels wrap. False on failure.
    virtual bool createWindow(int maxTipWidth, bool balloon) = 0;
    virtual void destroyWindow() = 0;
    // Registers the canvas as a tool with that GBK text; false when the platform refuses.
    virtual bool addTool(Canvas& tool, const std::string& text, bool centred) = 0;
    virtual void removeTool(Canvas& tool) = 0;
};
