// A scratch folder for the settings file tests, removed with everything in
// it at the end, and small file helpers that bypass the code under test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "base/Handles_win.h"
#include "tests/support/ScratchFolder_win.h"

namespace settings_test {

using test_support::RemoveTree;
using test_support::ScratchFolder;

inline bool PutFile(const std::string& path, const std::string& bytes) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// The file's bytes, or nothing when it cannot be read (missing, a folder).
inline std::optional<std::string> FileBytes(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  return bytes;
}

inline bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Another process's view of the file: open for reading and writing, shared
// with nobody, until the holder is destroyed.
inline UniqueHandle HoldWithoutSharing(const std::string& path) {
  return UniqueHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Open for reading, shared for reading only: the file can be read but not
// replaced.
inline UniqueHandle HoldSharingReadOnly(const std::string& path) {
  return UniqueHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace settings_test
