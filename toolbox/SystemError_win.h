// What a Win32 error code means, in the system's language, for messages
// that tell the user why something failed.
#pragma once

#include <windows.h>

#include <string>

// The system's text for `code` (GetLastError), without its trailing line
// break; the code in decimal when the system has no text for it.
std::string SystemErrorText(DWORD code);
