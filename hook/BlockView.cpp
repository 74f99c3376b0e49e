#include "hook/BlockView.h"

#include <windows.h>

#include "hostaccess/HookSlots_win.h"
#include "hostaccess/AgentReports_win.h"
#include "hostaccess/SharedMapping_win.h"

namespace {

// Per process, constant-initialised: the library runs no constructors (and
// no destructors: the view goes in ReleaseBlockView, or with the process).
constinit HANDLE BlockMapping = nullptr;
constinit volatile std::uint32_t* BlockSlots = nullptr;

// The slot's address in the process's view, mapped now if need be; null on
// failure.
volatile std::uint32_t* Slot(int index) noexcept {
  if (index < 0 || index >= SHARED_BLOCK_SLOTS) return nullptr;
  if (BlockSlots == nullptr) {
    SharedMapping opened;
    if (!OpenSharedMapping(SHARED_BLOCK_NAME, SHARED_BLOCK_SIZE, opened) || !opened.view) return nullptr;
    BlockMapping = opened.mapping.release();
    BlockSlots = static_cast<std::uint32_t*>(opened.view.release());
  }
  return BlockSlots + index;
}

}  // namespace

std::uint32_t ReadBlockSlotOrReportError(int index) noexcept {
  if (const volatile std::uint32_t* slot = Slot(index)) return *slot;
  ReportError(errSlotRead);
  return 0;
}

bool TryWriteBlockSlot(std::uint32_t value, int index) noexcept {
  volatile std::uint32_t* slot = Slot(index);
  if (slot == nullptr) return false;
  *slot = value;
  return true;
}

void WriteBlockSlotOrReportError(std::uint32_t value, int index) noexcept {
  if (!TryWriteBlockSlot(value, index)) ReportError(errSlotWrite);
}

void ReleaseBlockView() noexcept {
  if (BlockSlots != nullptr) UnmapViewOfFile(const_cast<std::uint32_t*>(BlockSlots));
  if (BlockMapping != nullptr) CloseHandle(BlockMapping);
  BlockSlots = nullptr;
  BlockMapping = nullptr;
}
