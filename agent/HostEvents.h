// What the agent decides from the host's reports. Portable.
#pragma once

#include <string_view>

// A double click in a host control: copy the line at the caret of a text
// control; in the list of a "TOyatsuWnd" or "TOmochaWnd" window, act as if
// that window's button had been released; elsewhere nothing. Class names are
// compared exactly.
enum class DoubleClickAction { Nothing, CopyLine, ReleaseGiveButton, ReleasePutButton };
DoubleClickAction ActionForDoubleClick(std::string_view controlClass, std::string_view parentClass);
