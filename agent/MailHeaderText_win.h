// Reading the header text of the host's print preview, for the mail
// commands (MailCommands_win).
#pragma once

#include <windows.h>

#include <string>

// What the preview's text control `edit` holds, at most kMaxHeaderChars
// bytes (MailCommands.h). The system may end a text it cuts at the limit
// with the first byte of a double-byte character; that byte is dropped.
// Empty for a null control.
std::string ReadHeaderText(HWND edit);
