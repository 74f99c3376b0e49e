#include "hostaccess/HostIdentifiers.h"

#include <gtest/gtest.h>


namespace {

TEST(ClassifyHostClassName, HookReportsTheClassesOfItsRowsAndTheRestAsUnknown) {
  struct Case { const char* className; HostWindowKind expected; };
  const Case cases[] = {
      {"TApplication", hwApplication}, {"TMainWnd", hwMainWnd}, {"TMailWnd", hwMailWnd},
      {"TOyatsuWnd", hwOyatsuWnd},     {"TReadWnd", hwReadWnd}, {"TDeleteWnd", hwDeleteWnd},
      {"TTitleWnd", hwTitleWnd},
      {"TPrintWnd", hwUnknown},   // a row the hook does not report
      {"#32770", hwUnknown},      // a dialog box
      {"tmainwnd", hwUnknown},    // case matters
      {"TMainWnd ", hwUnknown},   // exact match only
      {"TMain", hwUnknown},
      {"", hwUnknown},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyHostClassName(c.className), c.expected) << c.className;
}

TEST(KindFromLParam, OnlyTheLowByteCountsAndKindsAboveTheTableAreNone) {
  struct Case { std::intptr_t lParam; std::optional<HostWindowKind> expected; };
  const Case cases[] = {
      {0, hwApplication}, {12, hwTitleWnd}, {13, hwPrintWnd}, {14, std::nullopt},
      {255, std::nullopt}, {256, hwApplication}, {256 + 12, hwTitleWnd}, {-1, std::nullopt},
      {0x7FFFFF01, hwMainWnd},
  };
  for (const Case& c : cases) EXPECT_EQ(KindFromLParam(c.lParam), c.expected) << c.lParam;
}

// The numbers travel between the hook library and the agent, which may come
// from different builds: each class keeps its number, and the menu its order.
TEST(HostWindowKinds, KeepTheirNumbersClassesAndMenuOrder) {
  struct Case { HostWindowKind kind; const char* className; };
  const Case cases[] = {
      {hwApplication, "TApplication"}, {hwMainWnd, "TMainWnd"},     {hwTxWnd, "TTxWnd"},
      {hwRxWnd, "TRxWnd"},             {hwMailWnd, "TMailWnd"},     {hwTakaraWnd, "TTakaraWnd"},
      {hwOtomodatiWnd, "TOtomodatiWnd"}, {hwOmochaWnd, "TOmochaWnd"}, {hwOyatsuWnd, "TOyatsuWnd"},
      {hwUnknown, ""},                 {hwReadWnd, "TReadWnd"},     {hwDeleteWnd, "TDeleteWnd"},
      {hwTitleWnd, "TTitleWnd"},       {hwPrintWnd, "TPrintWnd"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].kind, i);
    EXPECT_EQ(HostWindowClassName(cases[i].kind), cases[i].className) << int(cases[i].kind);
  }
  EXPECT_EQ(std::size(cases), std::size(HostWindowKinds));
  // The menu's order of the kinds that have one.
  const HostWindowKind ordered[] = {hwMainWnd,   hwReadWnd,      hwMailWnd,   hwTxWnd,    hwRxWnd,
                                    hwTakaraWnd, hwOtomodatiWnd, hwOmochaWnd, hwOyatsuWnd};
  for (std::size_t i = 1; i < std::size(ordered); ++i) {
    EXPECT_LT(HostWindowKinds[ordered[i - 1]].menuRank, HostWindowKinds[ordered[i]].menuRank)
        << HostWindowClassName(ordered[i]);
  }
  EXPECT_LT(HostWindowKinds[hwOyatsuWnd].menuRank, kLastMenuRank);
  for (HostWindowKind last : {hwApplication, hwUnknown, hwDeleteWnd, hwTitleWnd, hwPrintWnd}) {
    EXPECT_EQ(HostWindowKinds[last].menuRank, kLastMenuRank) << int(last);
  }
}

}  // namespace
