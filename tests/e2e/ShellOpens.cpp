#include "tests/e2e/ShellOpens.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

#include "tests/e2e/E2eSupport.h"

namespace e2e {

namespace {

void SetDefault(const std::string& key, const std::string& value) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                            nullptr),
            ERROR_SUCCESS)
      << key;
  RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
}

}  // namespace

ShellOpens::ShellOpens() : log_(ScratchDir() + "shell-opens.log") {
  DeleteFileA(log_.c_str());
  const std::string command = "\"" + BinDir() + "shell-recorder.exe\" \"" + log_ + "\" \"%1\"";
  for (const char* protocol : {"http", "https"}) {
    SetDefault(protocol, std::string("URL:") + protocol);
    SetDefault(std::string(protocol) + "\\shell\\open\\command", command);
  }
  SetDefault(".doc", "SorvikTest.Document");
  SetDefault("SorvikTest.Document\\shell\\open\\command", command);
  // Without its DDE key, a folder is opened by the command, not handed to
  // Wine's explorer.
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\ddeexec");
  SetDefault("Folder\\shell\\open\\command", command);
}

std::vector<std::string> ShellOpens::Lines() const {
  std::vector<std::string> lines;
  std::istringstream in(ReadWholeFile(log_));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool ShellOpens::WaitForLines(std::size_t count, unsigned timeoutMs) const {
  return WaitUntil([&] { return Lines().size() >= count; }, timeoutMs);
}

}  // namespace e2e
