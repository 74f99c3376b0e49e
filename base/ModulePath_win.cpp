#include "base/ModulePath_win.h"

#include <windows.h>

std::string ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A full buffer means the path may have been cut: try a larger one.
    if (length < path.size() || path.size() >= 32768) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}
