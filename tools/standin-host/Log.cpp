#include "tools/standin-host/Log.h"

#include <cstdint>
#include <cstdio>

namespace standin {

namespace {
FILE* LogFile = nullptr;
}  // namespace

void OpenLog(const std::string& path) { LogFile = std::fopen(path.c_str(), "ab"); }

void CloseLog() {
  if (LogFile != nullptr) std::fclose(LogFile);
  LogFile = nullptr;
}

void Log(const std::string& line) {
  if (LogFile == nullptr) return;
  std::fprintf(LogFile, "%lld %s\n", Now(), line.c_str());
  std::fflush(LogFile);
}

long long Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

std::string HandleText(HWND window) { return std::to_string(reinterpret_cast<std::intptr_t>(window)); }

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string OneLine(const std::string& text) {
  std::string line;
  for (const char c : text) {
    if (c == '\r') line += "\\r";
    else if (c == '\n') line += "\\n";
    else line += c;
  }
  return line;
}

}  // namespace standin
