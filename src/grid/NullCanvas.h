#pragma once
// Stands in for the grid's canvases while none are attached: draws nothing, has no size, and may
// be used from any thread.
#include "platform/Canvas.h"

Canvas& nullCanvas();
