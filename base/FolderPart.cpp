#include "base/FolderPart.h"

#include "base/CodePage.h"

std::string ExtractFolderPart(std::string_view path) {
  std::size_t length = 0;
  for (std::size_t i = 0; i < path.size();) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (IsAnsiLeadByte(byte) && i + 1 < path.size()) {
      i += 2;
      continue;
    }
    ++i;
    if (byte == '\\' || byte == ':') length = i;
  }
  return std::string(path.substr(0, length));
}
