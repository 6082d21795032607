#pragma once
// A tooltip facility that keeps the tools it was given.
#include <map>
#include <string>
#include <vector>

#include "platform/TooltipHost.h"

class RecordingTooltipHost : public TooltipHost {
  public:
    bool failCreate = false;
    int windowsCreated = 0;
    int windowsDestroyed = 0;
    int maxTipWidth = 0;
    std::map<Canvas*, std::string> tools;  // tool -> text
    std::vector<std::string> calls;

    bool createWindow(int maxWidth, bool) override {
        calls.push_back("create");
        if (failCreate) return false;
        ++windowsCreated;
        maxTipWidth = maxWidth;
        return true;
    }
    void destroyWindow() override {
        calls.push_back("destroy");
        ++windowsDestroyed;
        tools.clear();
    }
    bool addTool(Canvas& tool, const std::string& text, bool) override {
        calls.push_back("add " + text);
        tools[&tool] = text;
        return true;
    }
    void removeTool(Canvas& tool) override {
        calls.push_back("remove");
        tools.erase(&tool);
    }
};
