#include <string>

#include "toolbox/WindowList.h"

ListIndexError::ListIndexError(int index)
    : Error("リストのインデックスが範囲外です (" + std::to_string(index) + ")"), index_(index) {}

int TIntegerList::Add(std::int32_t value) {
  items_.push_back(value);
  return Count() - 1;
}

std::int32_t TIntegerList::Get(int index) const {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return items_[static_cast<std::size_t>(index)];
}
