// A test-only program that takes the place of what the shell would open
// (the default mail program for "mailto:", a browser, a file's program...):
// registered as the open command with its log file as first argument,
//   "shell-recorder.exe" "<log>" %1
// it appends the rest of its command line, as the shell gave it, to the log
// as one line, in the system's code page, and ends. Beside it, in "<log>.show",
// it appends the show command it was started with (its start-up info's
// wShowWindow, SW_HIDE 0, SW_SHOWNORMAL 1, ...; -1 when none was given),
// one line per open.
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
  const std::wstring argv1 = argv[1];
  FILE* log = _wfopen(argv1.c_str(), L"ab");
  LocalFree(argv);
  if (log == nullptr) return 3;
  std::fprintf(log, "%s\n", line.c_str());
  std::fclose(log);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
  FILE* shows = _wfopen((std::wstring(argv1) + L".show").c_str(), L"ab");
  if (shows == nullptr) return 3;
  std::fprintf(shows, "%d\n", show);
  std::fclose(shows);
  return 0;
}
