#include "agent/SingleInstance.h"

#include "base/FolderPart.h"

std::string DualExecMutexName(std::string_view exePath) {
  const std::string_view fileName = exePath.substr(ExtractFolderPart(exePath).size());
  return std::string(fileName) + DUAL_EXEC_SUFFIX;
}
