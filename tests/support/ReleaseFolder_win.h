// The release folder under test: the Sorvik.exe and sorvikhook.dll that
// `make dist` put there are the bytes users get, and the only ones the
// end-to-end tests, the soak and the benchmarks run. Shared by the test
// driver and the benchmarks.
#pragma once

#include <windows.h>

#include <string>

namespace test_support {

// The folder that the environment variable SORVIK_RELEASE names, as a
// Windows path or a Unix one (on Wine's drive Z:), with a trailing
// backslash; empty when the variable is not set or the folder holds no
// Sorvik.exe. There is no fallback to another build.
inline std::string ReleaseFolder() {
  char value[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("SORVIK_RELEASE", value, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::string dir(value, length);
  if (dir[0] == '/') dir = "Z:" + dir;
  for (char& c : dir) {
    if (c == '/') c = '\\';
  }
  if (dir.back() != '\\') dir += '\\';
  if (GetFileAttributesA((dir + "Sorvik.exe").c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  return dir;
}

}  // namespace test_support
