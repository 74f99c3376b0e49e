// The single-instance guard: one running copy per executable file name.
#pragma once

#include <string>
#include <string_view>

// The suffix that makes the guard's mutex name.
inline constexpr char SINGLE_INSTANCE_MUTEX_SUFFIX[] = "DualExecCheckByQuonel";

// The guard's mutex name for the executable at `exePath`: its file name (with
// its extension, without its folder, found double-byte aware) followed by
// the suffix.
std::string SingleInstanceMutexName(std::string_view exePath);
