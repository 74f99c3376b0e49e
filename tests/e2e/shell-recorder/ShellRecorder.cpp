// A test program that the tests register with the shell in place of the
// program that opens a kind of file (or a protocol): it appends what it was
// asked to open to a log file and ends.
//
//   shell-recorder.exe <log file> <what the shell passes...>
//
// Each start adds one line: the arguments after the log file, joined by
// single spaces, in the system's code page.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  std::string line;
  for (int i = 2; i < __argc; ++i) {
    if (i > 2) line += ' ';
    line += __argv[i];
  }
  line += "\r\n";
  FILE* log = std::fopen(__argv[1], "ab");
  if (log == nullptr) return 1;
  std::fwrite(line.data(), 1, line.size(), log);
  std::fclose(log);
  return 0;
}
