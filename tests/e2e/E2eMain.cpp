// The e2e driver's entry point: runs the tests and leaves evidence of each
// failing one. Started with --watch <window>, it is instead a bare watching
// process (loads the hook library, watches, waits to be killed), used by the
// tests that kill the watcher.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/E2eSupport.h"
#include "hook/sorvikhook.h"
#include "tests/support/Exports_win.h"
#include "tests/support/ReleaseFolder_win.h"

namespace e2e {
std::vector<std::string>& EvidenceFiles();
}

namespace {

std::string CurrentTest() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return info == nullptr ? "outside-test" : std::string(info->test_suite_name()) + "." + info->name();
}

// The screen is captured at the first failure of a test, while what failed
// is still on it; the logs are copied when the test ends.
class EvidenceListener : public ::testing::EmptyTestEventListener {
  bool captured_ = false;
  void OnTestStart(const ::testing::TestInfo&) override {
    e2e::EvidenceFiles().clear();
    captured_ = false;
  }
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (!result.failed() || captured_) return;
    captured_ = true;
    e2e::SaveScreenshot(e2e::EvidenceDir() + CurrentTest() + ".bmp");
  }
  void OnTestEnd(const ::testing::TestInfo& info) override {
    if (!info.result()->Failed()) return;
    const std::string name = std::string(info.test_suite_name()) + "." + info.name();
    const std::string dir = e2e::EvidenceDir();
    int n = 0;
    for (const std::string& file : e2e::EvidenceFiles()) {
      const std::string base = file.substr(file.find_last_of('\\') + 1);
      CopyFileA(file.c_str(), (dir + name + "." + std::to_string(n++) + "." + base).c_str(), FALSE);
    }
    std::printf("evidence of %s in %s\n", name.c_str(), dir.c_str());
  }
};

int WatchAndWait(HWND window) {
  const std::string release = test_support::ReleaseFolder();
  HMODULE hook = release.empty() ? nullptr : LoadLibraryA((release + "sorvikhook.dll").c_str());
  if (hook == nullptr) return 2;
  auto watch = test_support::ExportOf<decltype(WatchMochiruSubWnd)>(hook, "WatchMochiruSubWnd");
  if (watch == nullptr || watch(window)) return 3;
  std::printf("watching\n");
  std::fflush(stdout);
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--watch") {
    return WatchAndWait(reinterpret_cast<HWND>(static_cast<std::intptr_t>(std::atoll(argv[2]))));
  }
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new EvidenceListener);
  return RUN_ALL_TESTS();
}
