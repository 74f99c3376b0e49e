// A named memory block backed by the paging file, mapped whole. The hook
// library's slot operations use this directly: it neither throws nor
// allocates.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/Handles_win.h"

struct SharedMapping {
  UniqueHandle mapping;
  UniqueView view;  // null when the view could not be mapped
};

// Creates the named mapping of `size` bytes, or opens it when it exists, and
// maps all of it for reading and writing. False when no mapping could be
// created or opened; a missing view is left for the caller to notice.
bool OpenSharedMapping(const char* name, std::uint32_t size, SharedMapping& out) noexcept;
