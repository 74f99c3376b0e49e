// The get-message hook: installed on the host's GUI thread, it reports left
// button releases and double clicks retrieved from the thread's queue.
#pragma once

#include <windows.h>

// How a failure to write the shared block is told to the agent: sent (the
// caller waits until the agent has handled it) or posted (it never waits,
// for code that runs under the loader lock).
enum class SlotErrorReport { Send, Post };

// Installs the hook for `thread` with `module` as the library, records its
// handle (0 on failure) and writes it into slot 2. Returns the handle.
HHOOK InstallGetMessageHook(HMODULE module, DWORD thread) noexcept;

// Removes the get-message hook this process knows, if any, and writes 0
// into slot 2; a failed write is reported as `report` says.
void RemoveGetMessageHook(SlotErrorReport report) noexcept;
