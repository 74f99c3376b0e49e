#include "agent/SingleInstance_win.h"

#include <windows.h>

#include "agent/SingleInstance.h"
#include "base/ModulePath_win.h"

namespace {
bool SecondInstance = false;
HANDLE GuardMutex = nullptr;  // held until the process ends
}  // namespace

void ClaimSingleInstance() {
  const std::string name = SingleInstanceMutexName(ExecutablePath());
  if (HANDLE other = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str())) {
    SecondInstance = true;
    CloseHandle(other);
    return;
  }
  SecondInstance = false;
  GuardMutex = CreateMutexA(nullptr, FALSE, name.c_str());
}

bool IsSecondInstance() { return SecondInstance; }
