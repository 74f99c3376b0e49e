// The shell's open command for a kind of file, pointed at shell-recorder.exe
// for the duration of a test: what the program under test asks the shell
// to open ends up, one line each, in a log file.
#pragma once

#include <string>
#include <vector>

namespace e2e {

class ShellRecorder {
 public:
  // Makes shell-recorder.exe (beside the driver) the open command of files
  // with `extension` (".htm"), recording into `logPath`.
  ShellRecorder(const std::string& extension, const std::string& logPath);
  // Puts the file type back as it was.
  ~ShellRecorder();
  ShellRecorder(const ShellRecorder&) = delete;
  ShellRecorder& operator=(const ShellRecorder&) = delete;

  // The lines recorded so far.
  std::vector<std::string> Opened() const;

 private:
  std::string extension_;
  std::string logPath_;
  std::string oldType_;
  bool hadType_ = false;
};

}  // namespace e2e
