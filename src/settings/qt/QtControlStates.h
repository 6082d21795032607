#pragma once
// The window layer's side of control-state saving: every child widget of a window, seen through
// its object name (the control's name) and its "tag" property.
#include <memory>
#include <vector>

#include "settings/ControlStates.h"

class QWidget;

// The children of window in creation order, each wrapped for syncControlStates. Widgets without a
// name are included; the sync skips them.
std::vector<std::unique_ptr<StatefulControl>> statefulControlsOf(QWidget* window);

// Convenience: wrap, sync, release.
void syncWindowControlStates(SettingsStore& store, QWidget* window, bool restore,
                             const std::string& section, const ControlStateOptions& options,
                             const UiYield& yield);
