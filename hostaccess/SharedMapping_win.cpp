// Kept apart from the stream so that the hook library links only this.
#include "hostaccess/SharedMapping_win.h"

bool OpenSharedMapping(const char* name, std::uint32_t size, SharedMapping& out) noexcept {
  out = SharedMapping{};
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name);
  if (mapping == nullptr) return false;
  out.mapping.reset(mapping);
  out.view.reset(MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
  return true;
}
