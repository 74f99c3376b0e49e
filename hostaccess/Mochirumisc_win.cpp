#include "hostaccess/Mochirumisc.h"

#include <cstring>

#include "hostaccess/ComMem_win.h"

HWND FindAgentWindow() noexcept { return FindWindowA(AGENT_WINDOW_CLASS, nullptr); }

void ReportError(int detail) noexcept {
  if (HWND agent = FindAgentWindow()) {
    SendMessageA(agent, UM_ERROR, UM_ERROR_WPARAM, static_cast<LPARAM>(detail));
  }
}

HostWindowKind ClassifyHostWindow(HWND window) noexcept {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof name);
  return ClassifyHostClassName(std::string_view(name, length > 0 ? length : 0));
}

namespace {

struct MainWindowSearch {
  HWND application;
  HWND found;
};

BOOL CALLBACK CollectMainWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<MainWindowSearch*>(context);
  if (GetWindow(window, GW_OWNER) == search->application) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, HostWindowClassNames[hwMainWnd].data()) == 0) search->found = window;
  }
  return TRUE;  // never stop early: the last one enumerated wins
}

// The slot's address inside a freshly opened block, or null. The block stays
// open as long as `mapping` lives.
std::uint32_t* OpenSlot(int index, SharedMapping& mapping) noexcept {
  if (index < 0 || index >= SHARED_BLOCK_SLOTS) return nullptr;
  if (!OpenSharedMapping(SHARED_BLOCK_NAME, SHARED_BLOCK_SIZE, mapping)) return nullptr;
  if (!mapping.view) return nullptr;
  return static_cast<std::uint32_t*>(mapping.view.get()) + index;
}

}  // namespace

HWND FindHostMainWindow(HWND application) noexcept {
  MainWindowSearch search{application, nullptr};
  EnumWindows(CollectMainWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::uint32_t ReadHookSlot(int index) noexcept {
  std::uint32_t value = 0;
  bool ok = false;
  {
    SharedMapping mapping;
    if (const std::uint32_t* slot = OpenSlot(index, mapping)) {
      value = *slot;
      ok = true;
    }
  }  // closed before the report, which waits for the agent
  if (!ok) ReportError(errSlotRead);
  return value;
}

void WriteHookSlot(std::uint32_t value, int index) noexcept {
  bool ok = false;
  {
    SharedMapping mapping;
    if (std::uint32_t* slot = OpenSlot(index, mapping)) {
      *slot = value;
      ok = true;
    }
  }
  if (!ok) ReportError(errSlotWrite);
}
