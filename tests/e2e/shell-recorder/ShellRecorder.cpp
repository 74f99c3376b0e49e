// A test-only program that takes the place of what the shell would open
// (the default mail program for "mailto:", a browser, a file's program...):
// registered as the open command with its log file as first argument,
//   "shell-recorder.exe" "<log>" %1
// it appends the rest of its command line, as the shell gave it, to the log
// as one line, in the system's code page, and ends. Beside the log, in
// "<log>.show", it appends the show command it was started with, a line per
// open: its start-up info's wShowWindow (SW_HIDE 0, SW_SHOWNORMAL 1, ...), or
// -1 when the starter gave none.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The command line after its first `count` arguments, as written.
std::wstring TailAfter(const wchar_t* line, int count) {
  const wchar_t* p = line;
  for (int i = 0; i < count; ++i) {
    while (*p == L' ' || *p == L'\t') ++p;
    bool quoted = false;
    while (*p != L'\0' && (quoted || (*p != L' ' && *p != L'\t'))) {
      if (*p == L'"') quoted = !quoted;
      ++p;
    }
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return p;
}

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 2) return 2;
  const std::string line = ToAnsi(TailAfter(GetCommandLineW(), 2));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
  // The show command first: a test that sees the open in the log finds its
  // show command there too.
  FILE* shows = _wfopen((std::wstring(argv[1]) + L".show").c_str(), L"ab");
  FILE* log = _wfopen(argv[1], L"ab");
  LocalFree(argv);
  if (shows != nullptr) {
    std::fprintf(shows, "%d\n", show);
    std::fclose(shows);
  }
  if (log == nullptr || shows == nullptr) {
    if (log != nullptr) std::fclose(log);
    return 3;
  }
  std::fprintf(log, "%s\n", line.c_str());
  std::fclose(log);
  return 0;
}
