// The agent's three colours, shared by its windows: a pale blue for the
// forms, a pale green for lists and "go ahead" buttons, a pale pink for
// "stop" buttons and the friend list's header.
#pragma once

#include <windows.h>

inline constexpr COLORREF kPaleBlue = RGB(187, 187, 255);   // TColor 16759739
inline constexpr COLORREF kPaleGreen = RGB(187, 255, 187);  // TColor 12320699
inline constexpr COLORREF kPalePink = RGB(255, 187, 187);   // TColor 12303359
