// A measurement, not a test: what the hook library costs the host for every
// message its GUI thread retrieves. The stand-in host posts and retrieves
// messages in a loop with (1) no hook, (2) an empty hook pair, (3) our
// hooks (the release's), in turn within each of several rounds; the figures
// are the best rounds, printed with their ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "hostaccess/HostIdentifiers.h"
#include "hostaccess/HookSlots_win.h"
#include "hook/sorvikhook.h"
#include "tests/support/CoreKeptAwake.h"
#include "tests/support/Exports_win.h"
#include "tests/support/ReleaseFolder_win.h"
#include "tools/standin-host/StandinProtocol.h"

namespace {

std::string BinDir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  return dir.substr(0, dir.find_last_of('\\') + 1);
}

LRESULT Command(HWND host, const std::string& text) {
  COPYDATASTRUCT data{STANDIN_COMMAND, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
  DWORD_PTR result = 0;
  SendMessageTimeoutA(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 120000, &result);
  return static_cast<LRESULT>(result);
}

// The best of the rounds: whatever else the machine does only ever adds to
// a round.
double Best(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

}  // namespace

int main(int argc, char** argv) {
  const int messages = argc > 1 ? std::atoi(argv[1]) : 20000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 9;

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + BinDir() + "standin-host.exe\" --log NUL";
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, BinDir().c_str(),
                      &startup, &process)) {
    std::printf("cannot start the stand-in host\n");
    return 1;
  }
  HWND host = nullptr;
  for (int i = 0; i < 500 && host == nullptr; ++i) {
    Sleep(20);
    host = FindWindowA(HOST_APPLICATION_CLASS, HOST_CAPTION);
  }
  if (host == nullptr) return 1;
  const DWORD thread = GetWindowThreadProcessId(host, nullptr);

  // The agent holds the shared block open for its whole run; so do we.
  HANDLE block = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    SHARED_BLOCK_SIZE, SHARED_BLOCK_NAME);

  HMODULE empty = LoadLibraryA((BinDir() + "emptyhook.dll").c_str());
  auto installEmpty = test_support::ExportOf<BOOL WINAPI(DWORD)>(empty, "InstallEmptyHooks");
  auto removeEmpty = test_support::ExportOf<void WINAPI()>(empty, "RemoveEmptyHooks");
  const std::string release = test_support::ReleaseFolder();
  if (release.empty()) {
    std::printf("SORVIK_RELEASE does not name a release folder (make dist makes it)\n");
    return 1;
  }
  HMODULE ours = LoadLibraryA((release + "sorvikhook.dll").c_str());
  auto watch = test_support::ExportOf<decltype(WatchMochiruSubWnd)>(ours, "WatchMochiruSubWnd");
  auto stop = test_support::ExportOf<decltype(StopMochiruSubWnd)>(ours, "StopMochiruSubWnd");
  if (installEmpty == nullptr || removeEmpty == nullptr || watch == nullptr || stop == nullptr) return 1;

  // The three are measured in turn within each round, so that whatever
  // else the machine does weighs on all three alike, with a core kept awake
  // as the soak does.
  const std::string bench = "bench " + std::to_string(messages);
  const auto cost = [&] { return static_cast<double>(Command(host, bench)); };
  std::vector<double> noHook, emptyPair, ourPair;
  {
    const test_support::CoreKeptAwake awake;
    for (int i = 0; i < rounds; ++i) {
      noHook.push_back(cost());
      if (!installEmpty(thread)) return 1;
      Command(host, "bench 2000");  // the library loaded into the host, its first calls made
      emptyPair.push_back(cost());
      removeEmpty();
      if (watch(host)) return 1;
      Command(host, "bench 2000");
      ourPair.push_back(cost());
      stop();
    }
  }
  const double none = Best(noHook);
  const double emptyHook = Best(emptyPair);
  const double ourHook = Best(ourPair);

  std::printf("hook cost per retrieved message (best of %d rounds of %d messages, in ns):\n", rounds, messages);
  std::printf("  no hook          %10.0f\n", none);
  std::printf("  empty hook pair  %10.0f   x%.2f of no hook\n", emptyHook, emptyHook / none);
  std::printf("  sorvikhook       %10.0f   x%.2f of no hook, x%.2f of the empty hook\n", ourHook, ourHook / none,
              ourHook / emptyHook);

  Command(host, "quit");
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(block);
  return 0;
}
