#include "tests/e2e/ShellRecorder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

#include "tests/e2e/E2eSupport.h"

namespace e2e {

namespace {

constexpr char kRecorderType[] = "SorvikTest.recorder";

bool SetDefault(const std::string& key, const std::string& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LSTATUS status = RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
  return status == ERROR_SUCCESS;
}

}  // namespace

ShellRecorder::ShellRecorder(const std::string& extension, const std::string& logPath)
    : extension_(extension), logPath_(logPath) {
  DeleteFileA(logPath_.c_str());
  char old[256] = {};
  LONG size = sizeof old;
  hadType_ = RegQueryValueA(HKEY_CLASSES_ROOT, extension_.c_str(), old, &size) == ERROR_SUCCESS;
  if (hadType_) oldType_ = old;
  const std::string command = "\"" + BinDir() + "shell-recorder.exe\" \"" + logPath_ + "\" \"%1\"";
  EXPECT_TRUE(SetDefault(std::string(kRecorderType) + "\\shell\\open\\command", command));
  EXPECT_TRUE(SetDefault(extension_, kRecorderType));
}

ShellRecorder::~ShellRecorder() {
  if (hadType_) {
    SetDefault(extension_, oldType_);
  } else {
    RegDeleteKeyA(HKEY_CLASSES_ROOT, extension_.c_str());
  }
  RegDeleteTreeA(HKEY_CLASSES_ROOT, kRecorderType);
}

std::vector<std::string> ShellRecorder::Opened() const {
  std::vector<std::string> lines;
  std::istringstream in(ReadWholeFile(logPath_));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace e2e
