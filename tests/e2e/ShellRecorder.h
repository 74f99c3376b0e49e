// The shell's open commands pointed at shell-recorder.exe for the duration
// of a test: what the program under test asks the shell to open ends up, one
// line each, in a log file.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace e2e {

class ShellRecorder {
 public:
  // Makes shell-recorder.exe (beside the driver) the open command of each of
  // `keys`, recording into `logPath`: protocols ("http", "mailto"), "Folder",
  // and file extensions (".htm", whose file type is pointed at one of the
  // recorder's).
  ShellRecorder(std::initializer_list<std::string> keys, const std::string& logPath);
  // Puts the extensions' file types back as they were.
  ~ShellRecorder();
  ShellRecorder(const ShellRecorder&) = delete;
  ShellRecorder& operator=(const ShellRecorder&) = delete;

  // What was opened so far, in order (paths in their Z:\ form).
  std::vector<std::string> Opened() const;
  // The show command each open was started with, in the same order: "1"
  // for SW_SHOWNORMAL, "0" for SW_HIDE, "-1" when none was given.
  std::vector<std::string> ShowCommands() const;
  bool WaitForOpens(std::size_t count, DWORD timeoutMs) const;

 private:
  struct Extension {
    std::string name;
    std::string oldType;
    bool hadType;
  };
  std::string logPath_;
  std::vector<Extension> extensions_;
};

}  // namespace e2e
