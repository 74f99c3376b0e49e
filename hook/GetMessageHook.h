// The get-message hook: installed on the host's GUI thread, it reports left
// button releases and double clicks retrieved from the thread's queue.
#pragma once

#include <windows.h>

// Installs the hook for `thread` with `module` as the library, records its
// handle (0 on failure) and writes it into slot 2. Returns the handle.
HHOOK InstallGetMessageHook(HMODULE module, DWORD thread) noexcept;

// Removes the get-message hook this process knows, if any, and writes 0
// into slot 2.
void RemoveGetMessageHook() noexcept;
