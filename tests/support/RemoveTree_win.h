// Removes a folder of a test with everything in it, read-only files
// included. Shared by the Win32 unit tests and the end-to-end driver.
#pragma once

#include <windows.h>

#include <string>

namespace test_support {

// `folder` with or without a trailing backslash.
inline void RemoveTree(std::string folder) {
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  WIN32_FIND_DATAA entry{};
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace test_support
