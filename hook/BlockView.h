// The shared block "SorvikCom" as the hook library reaches it: one view per
// process, mapped the first time a slot is needed and kept until the library
// leaves the process. Every message the host's GUI thread retrieves reads a
// slot; opening, mapping, unmapping and closing the block for each would
// cost the host four calls into the system every time. The slots are still
// read from the shared memory at every call, so a restarted agent's new
// hook handles are seen at once; the view keeps the named block alive, so a
// new agent opens the same block.
#pragma once

#include <cstdint>

// The content of slot `index` (0..2). When the block cannot be opened or
// mapped (tried again at the next call) or the index is outside it, the
// agent is sent UM_ERROR 102 and the result is 0.
std::uint32_t ReadBlockSlotOrReportError(int index) noexcept;

// Stores `value` in slot `index`; false when the block cannot be opened or
// mapped, or the index is outside it (nothing is written, nothing reported).
bool TryWriteBlockSlot(std::uint32_t value, int index) noexcept;
// The same, with a failure sent to the agent as UM_ERROR 103.
void WriteBlockSlotOrReportError(std::uint32_t value, int index) noexcept;

// Unmaps the view and closes the block, when the library is unloaded from a
// process that goes on running. Nothing in it sends or waits.
void ReleaseBlockView() noexcept;
