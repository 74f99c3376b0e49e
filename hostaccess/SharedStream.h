// A stream over a fixed block of memory, with the bounds rules of the shared
// block: reads are silently cut at the end, writes are all or nothing.
// Portable: the block's owner (the named mapping on Windows, a buffer in the
// tests) hands in the memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Error.h"

// The named block could not be created or opened (or its view is missing).
class SharedMemoryOpenError : public Error {
 public:
  explicit SharedMemoryOpenError(const std::string& name);
};

// A write would end beyond the block; nothing was written.
class SharedMemoryBoundsError : public Error {
 public:
  SharedMemoryBoundsError();
};

class TBoundedMemoryStream {
 public:
  enum SeekOrigin : int { soBeginning = 0, soCurrent = 1, soEnd = 2 };

  // `view` may be null: every access that would touch it then throws
  // SharedMemoryOpenError naming `name`, instead of touching memory.
  TBoundedMemoryStream(void* view, std::int32_t size, std::string name);
  virtual ~TBoundedMemoryStream() = default;
  TBoundedMemoryStream(const TBoundedMemoryStream&) = delete;
  TBoundedMemoryStream& operator=(const TBoundedMemoryStream&) = delete;

  // Copies up to count bytes from the position; returns how many it copied
  // (0 at or beyond the end, or for a negative position or count).
  std::int32_t Read(void* buffer, std::int32_t count);
  // Copies exactly count bytes to the position and returns count, or throws
  // SharedMemoryBoundsError without writing when they would end beyond the
  // block. Returns 0 for a negative position or count, or an empty write at 0.
  std::int32_t Write(const void* buffer, std::int32_t count);
  // Moves the position (unbounded) and returns it; an unknown origin leaves
  // it where it is.
  std::int64_t Seek(std::int64_t offset, int origin);

  std::int32_t Size() const { return size_; }
  std::int64_t Position() const { return position_; }
  void* Memory() const { return view_; }

 private:
  std::byte* CheckedView() const;

  std::byte* view_;
  std::int32_t size_;
  std::int64_t position_ = 0;
  std::string name_;
};
