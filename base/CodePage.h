// The one place where text crosses between the system's ANSI code page and
// UTF-16. Windows builds convert with the system's own tables (CP_ACP); the
// native build, which has none, uses iconv's "CP932" with the same handling
// of bytes that are no character, so both sides agree on what the scanners
// see. Portable: no <windows.h>.
#pragma once

#include <string>
#include <string_view>

// Each character of `text` becomes one UTF-16 unit. Bytes that form no
// character are not dropped: each such sequence becomes one replacement
// character (the code page's default, U+30FB in code page 932). A lead byte
// takes the byte after it (unless that is a null), so a second byte such as
// "@" or "\" is never read as a character of its own.
std::u16string AnsiToUtf16(std::string_view text);

// The reverse. A character the code page lacks becomes "?".
std::string Utf16ToAnsi(std::u16string_view text);

// Whether `byte` starts a double-byte character in the system's code page.
bool IsAnsiLeadByte(unsigned char byte);
