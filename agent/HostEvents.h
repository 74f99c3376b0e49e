// What the agent decides from the host's reports. Portable.
#pragma once

#include <string_view>

// How often the agent looks whether the host has started or ended.
inline constexpr unsigned kHostWatchIntervalMs = 2000;

// The host's friend window ("TOtomodatiWnd") and snack window
// ("TOyatsuWnd") are stretched to the screen's height less this.
inline constexpr int kStretchedWindowMarginPx = 20;

// A double click in a host control: copy the line at the caret of a text
// control; in the list of a "TOyatsuWnd" or "TOmochaWnd" window, act as if
// that window's button had been released; elsewhere nothing. Class names are
// compared exactly.
enum class DoubleClickAction { Nothing, CopyLine, ReleaseGiveButton, ReleasePutButton };
DoubleClickAction ActionForDoubleClick(std::string_view controlClass, std::string_view parentClass);
