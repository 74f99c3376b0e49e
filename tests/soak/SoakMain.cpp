// The soak runs' entry point: soak.exe [--scale <factor>] [gtest options].
// Prints the runs' figures as they come and ends with one line,
// "soak: passed" or "soak: FAILED <reason>" (the first failure).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/E2eSupport.h"
#include "tests/soak/SoakRun.h"

namespace {

class FirstFailure : public ::testing::EmptyTestEventListener {
 public:
  std::string reason;

 private:
  std::string captured_;  // the test whose first failure is on a screenshot
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (!result.failed()) return;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = test != nullptr ? test->name() : "outside";
    if (captured_ != name) {
      captured_ = name;
      // What was on the screen when it failed, for a person to look at.
      const std::string shot = e2e::EvidenceDir() + "soak." + name + "." + std::to_string(GetTickCount()) + ".bmp";
      if (e2e::SaveScreenshot(shot)) std::printf("soak: screenshot of the failure: %s\n", shot.c_str());
    }
    if (!reason.empty()) return;
    std::string message = result.message();
    for (char& c : message) {
      if (c == '\n' || c == '\r') c = ' ';
    }
    reason = (test != nullptr ? std::string(test->name()) + ": " : std::string()) + message;
  }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--scale") soak::SetScale(std::atof(argv[i + 1]));
  }
  if (soak::Scale() <= 0) {
    std::printf("soak: FAILED the scale must be a positive number\n");
    return 2;
  }
  auto* failure = new FirstFailure;
  ::testing::UnitTest::GetInstance()->listeners().Append(failure);
  soak::Report("scale " + std::to_string(soak::Scale()));
  const DWORD start = GetTickCount();
  const int result = RUN_ALL_TESTS();
  soak::Report("all runs took " + std::to_string((GetTickCount() - start) / 1000) + " s");
  if (result == 0 && failure->reason.empty()) {
    std::printf("soak: passed\n");
    return 0;
  }
  std::printf("soak: FAILED %s\n", failure->reason.empty() ? "(see above)" : failure->reason.c_str());
  return 1;
}
