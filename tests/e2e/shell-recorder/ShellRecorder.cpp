// A stand-in for the programs the shell starts to open a URL, a document or
// a folder: registered as the "open" command of those in the test prefix, it
// appends what it was asked to open, one line per start, to the file named
// by its first argument:
//   shell-recorder.exe <log file> <what to open...>
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  std::string opened;
  for (int i = 2; i < __argc; ++i) {
    if (i > 2) opened += ' ';
    opened += __argv[i];
  }
  FILE* log = std::fopen(__argv[1], "ab");
  if (log == nullptr) return 1;
  std::fprintf(log, "%s\n", opened.c_str());
  std::fclose(log);
  return 0;
}
