// Scratch folders of the Win32 tests: removed with everything in them,
// read-only files included. Shared by the Win32 unit tests and the
// end-to-end driver.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace test_support {

// `folder` with or without a trailing backslash. The last character is
// looked at, not the last byte: a name ending in "ソ" or "表" ends in the
// trail byte 0x5C, which is no backslash.
inline void RemoveTree(std::string folder) {
  if (!folder.empty()) {
    const char* end = folder.c_str() + folder.size();
    const char* last = CharPrevA(folder.c_str(), end);
    if (end - last == 1 && *last == '\\') folder.pop_back();
  }
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

// A new empty folder under the temporary folder, removed with its contents
// when the object dies. `name` may hold CP932 text.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name = "sorvik_test") {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + name + "." + std::to_string(GetCurrentProcessId()) + "." +
            std::to_string(counter_++);
    RemoveTree(path_);
    EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_;
  }
  ~ScratchFolder() { RemoveTree(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder, without a trailing backslash.
  const std::string& Path() const { return path_; }
  // A path inside the folder.
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
  // Creates an empty file (or a folder) inside and returns its full path;
  // failing to create it fails the test.
  std::string File(const std::string& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const {
    const std::string file = *this / name;
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    EXPECT_NE(handle, INVALID_HANDLE_VALUE) << file;
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    return file;
  }
  std::string Folder(const std::string& name) const {
    const std::string folder = *this / name;
    EXPECT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    return folder;
  }

 private:
  static inline int counter_ = 0;
  std::string path_;
};

}  // namespace test_support
