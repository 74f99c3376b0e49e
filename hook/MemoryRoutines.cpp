// The memory routines the compiler emits calls to (a comparison of class
// names becomes a memcmp call), for a library that links no C runtime.
// Compiled without builtins so that the loop below is not turned back into
// a call to itself.
#include <cstddef>

extern "C" int memcmp(const void* left, const void* right, std::size_t count) {
  const auto* a = static_cast<const unsigned char*>(left);
  const auto* b = static_cast<const unsigned char*>(right);
  for (std::size_t i = 0; i < count; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}
