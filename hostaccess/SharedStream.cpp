#include "hostaccess/SharedStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

SharedMemoryOpenError::SharedMemoryOpenError(const std::string& name)
    : Error("共有メモリ[" + name + "]を開けません") {}

SharedMemoryBoundsError::SharedMemoryBoundsError()
    : Error("共有メモリを逸脱した書き込み") {}

namespace {
// The position is unbounded but must not overflow: saturate at the limits.
std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
  std::int64_t sum;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? INT64_MAX : INT64_MIN;
}
}  // namespace

TBoundedMemoryStream::TBoundedMemoryStream(void* view, std::int32_t size, std::string name)
    : view_(static_cast<std::byte*>(view)), size_(size), name_(std::move(name)) {}

std::byte* TBoundedMemoryStream::CheckedView() const {
  if (view_ == nullptr) throw SharedMemoryOpenError(name_);
  return view_;
}

std::int32_t TBoundedMemoryStream::Read(void* buffer, std::int32_t count) {
  if (position_ < 0 || count < 0) return 0;
  const std::int64_t available = static_cast<std::int64_t>(size_) - position_;
  if (available <= 0) return 0;
  const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, available));
  if (n == 0) return 0;
  std::memcpy(buffer, CheckedView() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int32_t TBoundedMemoryStream::Write(const void* buffer, std::int32_t count) {
  if (position_ < 0 || count < 0) return 0;
  // 64-bit arithmetic: a position near the 32-bit limit must not wrap into
  // a small end that passes the bound check.
  const std::int64_t end = SaturatingAdd(position_, count);
  if (end <= 0) return 0;
  if (end > size_) throw SharedMemoryBoundsError();
  if (count > 0) std::memcpy(CheckedView() + position_, buffer, static_cast<std::size_t>(count));
  position_ = end;
  return count;
}


std::int64_t TBoundedMemoryStream::Seek(std::int64_t offset, int origin) {
  switch (origin) {
    case soBeginning: position_ = offset; break;
    case soCurrent: position_ = SaturatingAdd(position_, offset); break;
    case soEnd: position_ = SaturatingAdd(size_, offset); break;
    default: break;
  }
  return position_;
}
