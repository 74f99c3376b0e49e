// The clipboard as text (CF_TEXT, bytes in the system's code page). Another
// program may hold the clipboard open for a moment: opening it is retried
// for a bounded time, during which the calling thread keeps answering what
// other threads send it, and then given up.
#pragma once

#include <optional>
#include <string>

#include "toolbox/Timeout.h"


// Replaces the clipboard's contents with `text`. False when the clipboard
// could not be opened within the limit or the text not stored.
bool SetClipboardText(const std::string& text);

// The clipboard's text, up to its first zero byte; empty when it holds no
// text or cannot be opened within the limit.
std::string GetClipboardText();

// The same, but nothing when the clipboard could not be opened within
// `openLimitMs` (another program holds it), as against an empty text. With
// a limit of 0 it is tried once.
std::optional<std::string> TryGetClipboardText(unsigned openLimitMs = kClipboardOpenLimitMs);

// Whether the clipboard holds text at all.
bool ClipboardHasText();
