#include "agent/QuoDual_win.h"

#include <windows.h>

#include "agent/QuoDual.h"

namespace {
bool SecondInstance = false;
HANDLE GuardMutex = nullptr;  // held until the process ends
}  // namespace

void InitDualExecCheck() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string name = DualExecMutexName(path);
  if (HANDLE other = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str())) {
    SecondInstance = true;
    CloseHandle(other);
    return;
  }
  SecondInstance = false;
  GuardMutex = CreateMutexA(nullptr, FALSE, name.c_str());
}

bool IsDualExec() { return SecondInstance; }
