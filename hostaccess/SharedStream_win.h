// The named shared memory block, backed by the paging file, presented as a
// stream.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "hostaccess/SharedStream.h"
#include "hostaccess/SharedMapping_win.h"

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
