#include "hostaccess/HookSlots_win.h"

#include "hostaccess/AgentReports_win.h"
#include "hostaccess/SharedMapping_win.h"

namespace {

// The slot's address inside a freshly opened block, or null. The block stays
// open as long as `mapping` lives.
std::uint32_t* OpenSlot(int index, SharedMapping& mapping) noexcept {
  if (index < 0 || index >= SHARED_BLOCK_SLOTS) return nullptr;
  if (!OpenSharedMapping(SHARED_BLOCK_NAME, SHARED_BLOCK_SIZE, mapping)) return nullptr;
  if (!mapping.view) return nullptr;
  return static_cast<std::uint32_t*>(mapping.view.get()) + index;
}

}  // namespace

std::uint32_t ReadHookSlotOrReportError(int index) noexcept {
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

bool TryWriteHookSlot(std::uint32_t value, int index) noexcept {
  SharedMapping mapping;
  std::uint32_t* slot = OpenSlot(index, mapping);
  if (slot == nullptr) return false;
  *slot = value;
  return true;
}

void WriteHookSlotOrReportError(std::uint32_t value, int index) noexcept {
  // The block is closed again before the report, which waits for the agent.
  if (!TryWriteHookSlot(value, index)) ReportError(errSlotWrite);
}
