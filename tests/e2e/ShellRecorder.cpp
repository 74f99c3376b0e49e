#include "tests/e2e/ShellRecorder.h"

#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"
#include "tests/e2e/ShellStandIns.h"

namespace e2e {

namespace {

// The file type of the recorder, which the extensions are pointed at.
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

ShellRecorder::ShellRecorder(std::initializer_list<std::string> keys, const std::string& logPath)
    : logPath_(logPath) {
  DeleteFileA(logPath_.c_str());
  DeleteFileA((logPath_ + ".show").c_str());  // the recorder's show commands
  for (const std::string& key : keys) {
    if (key.empty() || key[0] != '.') {
      EXPECT_TRUE(RegisterShellRecorder(key, logPath_)) << key;
      continue;
    }
    Extension extension{key, {}, false};
    char old[256] = {};
    LONG size = sizeof old;
    extension.hadType = RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), old, &size) == ERROR_SUCCESS;
    if (extension.hadType) extension.oldType = old;
    extensions_.push_back(extension);
    EXPECT_TRUE(RegisterShellRecorder(kRecorderType, logPath_));
    EXPECT_TRUE(SetDefault(key, kRecorderType)) << key;
  }
}

ShellRecorder::~ShellRecorder() {
  for (const Extension& extension : extensions_) {
    if (extension.hadType) {
      SetDefault(extension.name, extension.oldType);
    } else {
      RegDeleteKeyA(HKEY_CLASSES_ROOT, extension.name.c_str());
    }
  }
  if (!extensions_.empty()) RegDeleteTreeA(HKEY_CLASSES_ROOT, kRecorderType);
}

std::vector<std::string> ShellRecorder::Opened() const { return RecordedOpens(logPath_); }

std::vector<std::string> ShellRecorder::ShowCommands() const { return RecordedOpens(logPath_ + ".show"); }

bool ShellRecorder::WaitForOpens(std::size_t count, DWORD timeoutMs) const {
  return WaitUntil([&] { return Opened().size() >= count; }, timeoutMs);
}

}  // namespace e2e
