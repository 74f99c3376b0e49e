// The named shared memory block, backed by the paging file, presented as a
// stream. The hook library uses only OpenSharedMapping, which neither throws
// nor allocates.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "hostaccess/ComMem.h"
#include "hostaccess/Handles_win.h"

struct SharedMapping {
  UniqueHandle mapping;
  UniqueView view;  // null when the view could not be mapped
};

// Creates the named mapping of `size` bytes, or opens it when it exists, and
// maps all of it for reading and writing. False when no mapping could be
// created or opened; a missing view is left for the caller to notice.
bool OpenSharedMapping(const char* name, std::uint32_t size, SharedMapping& out) noexcept;

class TCommonMemoryStream : public TBoundedMemoryStream {
 public:
  // Throws SharedMemoryOpenError ("共有メモリ[" name "]を開けません") when the
  // mapping can be neither created nor opened.
  TCommonMemoryStream(const std::string& name, std::int32_t size);

 private:
  static SharedMapping Open(const std::string& name, std::int32_t size);
  TCommonMemoryStream(SharedMapping mapping, const std::string& name, std::int32_t size);

  SharedMapping mapping_;
};
