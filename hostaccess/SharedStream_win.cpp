#include "hostaccess/SharedStream_win.h"

SharedMapping TCommonMemoryStream::Open(const std::string& name, std::int32_t size) {
  SharedMapping mapping;
  if (size < 0 || !OpenSharedMapping(name.c_str(), static_cast<std::uint32_t>(size), mapping)) {
    throw SharedMemoryOpenError(name);
  }
  return mapping;
}

TCommonMemoryStream::TCommonMemoryStream(const std::string& name, std::int32_t size)
    : TCommonMemoryStream(Open(name, size), name, size) {}

TCommonMemoryStream::TCommonMemoryStream(SharedMapping mapping, const std::string& name,
                                         std::int32_t size)
    : TBoundedMemoryStream(mapping.view.get(), size, name), mapping_(std::move(mapping)) {}
