// Paths as the system's ANSI code page spells them.
#pragma once

#include <string>
#include <string_view>

// The folder part of a path: everything up to and including its last "\"
// or ":", found by characters (a double-byte character whose second byte is
// 0x5C is no backslash); empty when there is none.
std::string ExtractFolderPart(std::string_view path);
