// The host window entries of the tray menu: which windows, in which order,
// with which captions.
#include "agent/HostWindowMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::uintptr_t kHost = 0x100;

std::vector<std::uintptr_t> WindowsOf(const std::vector<HostWindowEntry>& entries) {
  std::vector<std::uintptr_t> windows;
  for (const HostWindowEntry& e : entries) windows.push_back(e.window);
  return windows;
}

TEST(CollectHostWindows, TakesTheWindowsOwnedByTheHostApplicationInTheOrderGiven) {
  const std::vector<TopLevelWindow> visible = {
      {0x100, 0, "TApplication"},       // the application window itself: not owned by itself
      {0x201, kHost, "TReadWnd"},
      {0x202, 0x999, "TMailWnd"},       // owned by another window
      {0x203, 0, "TMainWnd"},           // unowned
      {0x204, kHost, "TMainWnd"},
      {0x205, 0x201, "#32770"},         // owned by a host window, not by the application
      {0x206, kHost, "#32770"},         // a dialog of the host
  };
  EXPECT_EQ(CollectHostWindows(visible, kHost),
            (std::vector<HostWindowEntry>{{"TReadWnd", 0x201}, {"TMainWnd", 0x204}, {"#32770", 0x206}}));
  EXPECT_TRUE(CollectHostWindows(visible, 0).empty()) << "no host running: no entries";
  EXPECT_TRUE(CollectHostWindows({}, kHost).empty());
}

TEST(CompareIgnoringAsciiCase, OrdersLikeALocaleThatIgnoresCase) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {
      {"AA", "aa", 0}, {"AA", "AAB", -1}, {"AAC", "AB", -1}, {"AZ", "ah", 1},
      {"", "", 0},     {"", "A", -1},     {"TFoo", "tfoo", 0}, {"AZ", "TApplication", -1},
  };
  for (const Case& c : cases) {
    const int r = CompareIgnoringAsciiCase(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
  }
}

TEST(SortByWindowKind, PutsTheHostsWindowsInKindOrderThenOthersByClass) {
  // Enumerated in an order unrelated to the kinds.
  std::vector<HostWindowEntry> entries = {
      {"TOyatsuWnd", 1},   {"TDeleteWnd", 2},    {"TMailWnd", 3},   {"zzOther", 4},
      {"TRxWnd", 5},       {"TApplication", 6},  {"TMainWnd", 7},   {"TTakaraWnd", 8},
      {"TOmochaWnd", 9},   {"TTitleWnd", 10},    {"TReadWnd", 11},  {"TOtomodatiWnd", 12},
      {"TTxWnd", 13},      {"TPrintWnd", 14},    {"BOther", 15},    {"#32770", 16},
  };
  SortByWindowKind(entries, CompareIgnoringAsciiCase);
  // TMainWnd, TReadWnd, TMailWnd, TTxWnd, TRxWnd, TTakaraWnd, TOtomodatiWnd,
  // TOmochaWnd, TOyatsuWnd; then the kinds ranked last in the order they
  // came; then the other classes by name.
  EXPECT_EQ(WindowsOf(entries),
            (std::vector<std::uintptr_t>{7, 11, 3, 13, 5, 8, 12, 9, 1, 2, 6, 10, 14, 16, 15, 4}));
  EXPECT_EQ(entries[0].className, "TMainWnd") << "an entry keeps its class";
}

TEST(SortByWindowKind, MatchesClassesExactlyAndSortsOtherClassesWithTheComparisonGiven) {
  std::vector<HostWindowEntry> entries = {{"tmainwnd", 1}, {"TMainWnd ", 2}, {"TMainWnd", 3}};
  SortByWindowKind(entries, CompareIgnoringAsciiCase);
  // Only the exact class is the main window's kind; the near misses sort by
  // their names after it.
  EXPECT_EQ(WindowsOf(entries), (std::vector<std::uintptr_t>{3, 1, 2}));

  // The order of other classes is the comparison's; the kinds keep their
  // ranks whatever it says.
  std::vector<HostWindowEntry> reversed = {{"AOther", 1}, {"TRxWnd", 2}, {"ZOther", 3}, {"TMainWnd", 4}};
  SortByWindowKind(reversed, [](std::string_view a, std::string_view b) { return CompareIgnoringAsciiCase(b, a); });
  EXPECT_EQ(WindowsOf(reversed), (std::vector<std::uintptr_t>{4, 2, 3, 1}));
}

TEST(SortByWindowKind, KeepsTheOrderOfEqualRanksAndHandlesNoEntries) {
  std::vector<HostWindowEntry> entries = {{"TMailWnd", 9}, {"TMainWnd", 1}, {"TMailWnd", 4}, {"TMailWnd", 2},
                                          {"X", 7},        {"x", 5}};
  SortByWindowKind(entries, CompareIgnoringAsciiCase);
  EXPECT_EQ(WindowsOf(entries), (std::vector<std::uintptr_t>{1, 9, 4, 2, 7, 5}));
  std::vector<HostWindowEntry> none;
  SortByWindowKind(none, CompareIgnoringAsciiCase);
  EXPECT_TRUE(none.empty());
}

TEST(WindowItemText, AddsTheRecipientsOfAMailBeingWrittenAndMarksAMailBeingRead) {
  struct Case {
    const char* className;
    const char* title;
    const char* recipients;
    const char* text;
  };
  const Case cases[] = {
      {"TMainWnd", "モチル", "", "モチル"},
      {"TMailWnd", "メールを書く", "a@example.jp", "メールを書く : a@example.jp"},
      {"TMailWnd", "メールを書く", "", "メールを書く : "},  // no recipients yet
      {"TReadWnd", "お知らせ", "", "メールを読む : お知らせ"},
      {"TReadWnd", "", "", "メールを読む : "},
      {"TReadWnd", "件名", "ignored", "メールを読む : 件名"},
      {"TRxWnd", "受信簿", "ignored", "受信簿"},
      {"tmailwnd", "x", "a@b", "x"},  // classes match exactly
      {"", "", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(WindowItemText(c.className, c.title, c.recipients), c.text) << c.className;
}

TEST(WindowItemCaption, NumbersFromOneWithTheDigitAsAccelerator) {
  struct Case {
    int index;
    const char* text;
    const char* caption;
  };
  const Case cases[] = {
      {0, "モチル", "&1 モチル"},
      {1, "メールを書く : a@example.jp", "&2 メールを書く : a@example.jp"},
      {8, "x", "&9 x"},
      {9, "x", "&10 x"},
      {0, "", "&1 "},
      {0, "Q&A", "&1 Q&&A"},                // the title shows its "&"; the digit stays the accelerator
      {2, "&&", "&3 &&&&"},
      {0, "表&ソ", "&1 表&&ソ"},            // double-byte characters pass unchanged
  };
  for (const Case& c : cases) EXPECT_EQ(WindowItemCaption(c.index, c.text), c.caption) << c.text;
}

}  // namespace
