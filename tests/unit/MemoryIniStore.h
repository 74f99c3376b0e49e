// A settings file store in memory for the tests, with failures on demand.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "components/IniFile.h"

// Files by path; a missing path reads as empty.
class MemoryStore : public IniFileStore {
 public:
  IniFileResult Read(const std::string& path, std::string& bytes) override {
    if (readError != 0) return Failed("ReadFile", readError);
    const auto found = files.find(path);
    bytes = found == files.end() ? std::string() : found->second;
    return {};
  }
  IniFileResult Write(const std::string& path, std::string_view bytes) override {
    ++writes;
    if (writeError != 0) return Failed("MoveFileExA", writeError);
    files[path] = std::string(bytes);
    return {};
  }
  static IniFileResult Failed(const char* call, std::uint32_t error) {
    IniFileResult result;
    result.ok = false;
    result.failedCall = call;
    result.error = error;
    return result;
  }

  std::map<std::string, std::string> files;
  std::uint32_t readError = 0;
  std::uint32_t writeError = 0;
  int writes = 0;
};
