// An ordered list of 32-bit integers: the window enumerations fill it with
// window handles (user handles are 32-bit significant on every width).
// Portable.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Error.h"

// Get was asked for an entry the list does not have.
class ListIndexError : public Error {
 public:
  explicit ListIndexError(int index);
  int Index() const { return index_; }

 private:
  int index_;
};

class TIntegerList {
 public:
  // Appends `value` and returns its index.
  int Add(std::int32_t value);
  // The entry at a 0-based index; throws ListIndexError outside 0..Count()-1.
  std::int32_t Get(int index) const;
  int Count() const { return static_cast<int>(items_.size()); }
  void Clear() { items_.clear(); }

 private:
  std::vector<std::int32_t> items_;
};
