// The single-instance guard: one running copy per executable file name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The suffix that makes the guard's mutex name.
inline constexpr char DUAL_EXEC_SUFFIX[] = "DualExecCheckByQuonel";

// The file name of `exePath` (with its extension, without its folder),
// found double-byte aware: a trail byte 0x5C of a double-byte character is
// not a separator. `isLeadByte` tells the code page's lead bytes.
std::string ExecutableFileName(std::string_view exePath,
                               const std::function<bool(unsigned char)>& isLeadByte);

// The guard's mutex name for the executable at `exePath`.
std::string DualExecMutexName(std::string_view exePath,
                              const std::function<bool(unsigned char)>& isLeadByte);
