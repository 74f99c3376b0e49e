// The slots of the shared block "SorvikCom" through which hook handles cross
// from the agent's process to the host's.
#pragma once

#include <windows.h>

#include <cstdint>

// The 12-byte block through which hook handles cross from the agent's
// process to the host's: three 32-bit slots.
inline constexpr char SHARED_BLOCK_NAME[] = "SorvikCom";
inline constexpr std::int32_t SHARED_BLOCK_SIZE = 12;
inline constexpr int SLOT_UNUSED = 0;         // always 0
inline constexpr int SLOT_CALLWND_HOOK = 1;   // the WH_CALLWNDPROC hook handle
inline constexpr int SLOT_GETMSG_HOOK = 2;    // the WH_GETMESSAGE hook handle
inline constexpr int SHARED_BLOCK_SLOTS = 3;

// The agent's slot operations. (The hook library keeps a view of the block
// of its own: hook/BlockView.h.)

// The 32-bit content of a slot of the shared block, opened anew for the
// call. On failure (also for an index outside 0..2) the agent is sent
// UM_ERROR 102 and the result is 0.
std::uint32_t ReadHookSlotOrReportError(int index) noexcept;

// Stores a 32-bit value in a slot of the shared block, opened anew for the
// call. On failure (also for an index outside 0..2) the agent is sent
// UM_ERROR 103 and the slot is left as it was.
void WriteHookSlotOrReportError(std::uint32_t value, int index) noexcept;

// The same store without the report: false when the slot could not be
// written (and was left as it was). For callers that must not wait for the
// agent, such as a library being unloaded under the loader lock.
bool TryWriteHookSlot(std::uint32_t value, int index) noexcept;

// Hook handles are user handles, 32-bit significant on both widths.
inline std::uint32_t HookToSlotValue(HHOOK hook) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hook));
}
inline HHOOK SlotValueToHook(std::uint32_t value) {
  return reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(value));
}
