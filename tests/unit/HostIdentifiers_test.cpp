#include "hostaccess/HostIdentifiers.h"

#include <gtest/gtest.h>


namespace {

TEST(ClassifyHostClassName, HookSeesTheFirstThirteenEntries) {
  struct Case { const char* className; HostWindowKind expected; };
  const Case cases[] = {
      {"TApplication", hwApplication}, {"TMainWnd", hwMainWnd}, {"TMailWnd", hwMailWnd},
      {"TOyatsuWnd", hwOyatsuWnd},     {"TReadWnd", hwReadWnd}, {"TDeleteWnd", hwDeleteWnd},
      {"TTitleWnd", hwTitleWnd},
      {"TPrintWnd", hwUnknown},   // beyond the hook's entries
      {"#32770", hwUnknown},      // a dialog box
      {"tmainwnd", hwUnknown},    // case matters
      {"TMainWnd ", hwUnknown},   // exact match only
      {"TMain", hwUnknown},
      {"", hwUnknown},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyHostClassName(c.className), c.expected) << c.className;
}

TEST(KindFromLParam, OnlyTheLowByteCountsAndKindsAboveThirteenAreNone) {
  struct Case { std::intptr_t lParam; std::optional<HostWindowKind> expected; };
  const Case cases[] = {
      {0, hwApplication}, {12, hwTitleWnd}, {13, hwPrintWnd}, {14, std::nullopt},
      {255, std::nullopt}, {256, hwApplication}, {256 + 12, hwTitleWnd}, {-1, std::nullopt},
      {0x7FFFFF01, hwMainWnd},
  };
  for (const Case& c : cases) EXPECT_EQ(KindFromLParam(c.lParam), c.expected) << c.lParam;
}

}  // namespace
