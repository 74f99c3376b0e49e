// Exports of a library loaded at run time, under the type their declaration
// gives them: the calling convention and the arguments then come from the
// header the library itself is built with (for the hook library,
// hook/sorvikhook.h), never from a second spelling in the test. On i686 a
// mismatch would unbalance the stack at every call.
#pragma once

#include <windows.h>

namespace test_support {

// ExportOf<decltype(WatchMochiruSubWnd)>(module, "WatchMochiruSubWnd"): the
// export, or null when the library has none of that name.
template <typename Function>
Function* ExportOf(HMODULE module, const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace test_support
