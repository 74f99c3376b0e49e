// The keystroke synthesiser on the real keyboard: keybd_event into whatever
// window has the keyboard focus. The key-description language is described
// in keys/SendKeys.h.
#pragma once

#include <string>

#include "keys/SendKeys.h"

// Sends the keys `text` describes to the window with the keyboard focus.
// With `wait`, after every event the calling thread's keyboard messages are
// handled until none is left (so our own windows see the keys in order).
// False when the text is empty or null, or a brace group is not closed ("No
// Close" message box); true otherwise, also when keys were skipped ("Invalid
// Key Name", "Invalid KeyName" message boxes). Throws SendKeysCountError for
// a repeat count that is not a decimal integer. Modifiers pressed by + ^ %
// are up again when the call returns or throws.
bool SendKeys(const char* text, bool wait);
inline bool SendKeys(const std::string& text, bool wait) { return SendKeys(text.c_str(), wait); }
