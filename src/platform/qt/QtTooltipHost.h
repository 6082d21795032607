#pragma once
// Tooltips through Qt: a canvas's tool is its widget's tool tip, which Qt shows when the pointer
// rests and hides on leave or press.
#include <QFont>
#include <QString>

#include "platform/TooltipHost.h"

class QtTooltipHost : public TooltipHost {
  public:
    bool createWindow(int maxTipWidth, bool balloon) override;
    void destroyWindow() override;
    bool addTool(Canvas& tool, const std::string& text, bool centred) override;
    void removeTool(Canvas& tool) override;

  private:
    bool created_ = false;
    int maxTipWidth_ = 0;
};

// The text broken into lines no wider than maxWidth pixels in the tool tip font (0: no limit).
QString wrapTipText(const QString& text, const QFont& font, int maxWidth);
