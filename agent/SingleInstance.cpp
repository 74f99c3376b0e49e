#include "agent/SingleInstance.h"

#include "base/FolderPart.h"

std::string SingleInstanceMutexName(std::string_view exePath) {
  const std::string_view fileName = exePath.substr(ExtractFolderPart(exePath).size());
  return std::string(fileName) + SINGLE_INSTANCE_MUTEX_SUFFIX;
}
