// Windows seen from outside: their sizes, texts and class names, and lists
// of them in the system's order. Texts are byte strings in the system's code
// page; the A functions throughout.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolbox/WindowList.h"

struct WindowSize {
  int width = 0;
  int height = 0;
};
// The size of the window's rectangle; the desktop window gives the screen's.
// 0 x 0 for a window that does not exist.
WindowSize GetWindowSize(HWND window);

// The window's text or class name, at most 254 bytes.
std::string GetWindowTextString(HWND window);
std::string GetClassNameString(HWND window);

// Window handles in a TIntegerList.
inline std::int32_t WindowToListValue(HWND window) {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window));
}
inline HWND ListValueToWindow(std::int32_t value) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(value));
}

// Filter bits of ListChildWindows.
enum ChildWindowFlags : std::uint8_t {
  cwParentFirst = 1,     // the parent itself first, whatever the other bits
  cwDirectChildren = 2,  // only windows whose GetParent is the parent
  cwNoParent = 4,        // only windows whose GetParent is null
  cwVisible = 8,
  cwEnabled = 16,
};
// Clears `list`, then fills it with the parent's descendants in the system's
// order (EnumChildWindows), skipping those the flags filter out. Returns
// whether the enumeration completed.
bool ListChildWindows(HWND parent, TIntegerList& list, std::uint8_t flags);

// Filter bits of ListTopLevelWindows: not the same values as above.
enum TopLevelWindowFlags : std::uint8_t {
  twHasText = 1,  // only windows with a non-empty text
  twUnowned = 2,  // only windows without an owner
  twVisible = 4,
  twEnabled = 8,
};
// Clears `list`, then fills it with the top-level windows (EnumWindows),
// skipping those the flags filter out. Returns whether the enumeration
// completed.
bool ListTopLevelWindows(TIntegerList& list, std::uint8_t flags);

// The length and text of what a control holds, asked of the control itself
// with WM_GETTEXTLENGTH and WM_GETTEXT. GetWindowTextLengthA and
// GetWindowTextA cannot read another program's edit control (Wine returns
// the text it was created with): the host's controls are read this way.
// The text is cut at `maxChars` bytes. A control that does not answer
// within 5 s (a hung program) counts as empty.
int ControlTextLength(HWND control);
std::string ControlText(HWND control, int maxChars);
