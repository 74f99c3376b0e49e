#include "agent/QuoDual.h"

std::string ExecutableFileName(std::string_view exePath,
                               const std::function<bool(unsigned char)>& isLeadByte) {
  std::size_t nameStart = 0;
  for (std::size_t i = 0; i < exePath.size(); ++i) {
    const auto byte = static_cast<unsigned char>(exePath[i]);
    if (isLeadByte(byte) && i + 1 < exePath.size()) {
      ++i;  // the trail byte may be 0x5C: it is part of the character
      continue;
    }
    if (byte == '\\' || byte == '/' || byte == ':') nameStart = i + 1;
  }
  return std::string(exePath.substr(nameStart));
}

std::string DualExecMutexName(std::string_view exePath,
                              const std::function<bool(unsigned char)>& isLeadByte) {
  return ExecutableFileName(exePath, isLeadByte) + DUAL_EXEC_SUFFIX;
}
