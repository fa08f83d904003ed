// The widget tests' application object.
#pragma once

#include "Framework.h"

constexpr const char* kWidgetsTestAppName = "Widgets Tests";
