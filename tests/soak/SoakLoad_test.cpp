// Hours of use in minutes, on one agent: host windows of every kind opened
// and closed, double clicks on memo lines with links, tray menus with host
// window entries and mail commands of every kind. The agent's counts must
// not grow from the middle of the run to its end.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "tests/soak/SoakRun.h"

namespace soak {
namespace {

// What may come and go between the middle and the end without a leak:
// a few handles and objects that the system or Wine makes lazily, and
// memory that the heap keeps.
constexpr long long kHandleSlack = 16;
constexpr long long kObjectSlack = 16;
constexpr long long kMemorySlack = 4 * 1024 * 1024;

long long Grown(unsigned long long from, unsigned long long to) {
  return static_cast<long long>(to) - static_cast<long long>(from);
}

class SoakLoad : public SoakRun {};

TEST_F(SoakLoad, HoursOfUseLeaveTheAgentsCountsAsTheyWere) {
  StartHost();
  ASSERT_FALSE(HasFatalFailure());
  const long long costWithoutAgent = HostMessageCost();
  const long long costWithEmptyHooks = HostMessageCostWithEmptyHooks();
  StartAgent();
  ASSERT_FALSE(HasFatalFailure());
  // The amounts of the whole run; each half does half of each.
  const int windows = Scaled(kWindowsPerKind * kWindowKinds, kWindowKinds * 2);
  const int doubleClicks = Scaled(500, 2);
  const int trayMenus = Scaled(200, 2);
  const int mailCommands = Scaled(100, 18);
  Report("load: " + std::to_string(windows) + " host windows, " + std::to_string(doubleClicks) +
         " double clicks, " + std::to_string(trayMenus) + " tray menus, " + std::to_string(mailCommands) +
         " mail commands");

  // One of each first: what the agent makes once, on first use, is not
  // growth.
  OpenAndCloseWindows(kWindowKinds);
  DoubleClickLinks(1);
  OpenTrayMenus(2);
  RunMailCommands(MailCommandCount());
  ASSERT_FALSE(HasFatalFailure());

  const long long costAtStart = HostMessageCost();
  ProcessFigures figures[3];
  figures[0] = FiguresOf(agent_.Handle());
  Report("agent at the start:  " + Describe(figures[0]));
  for (int half = 1; half <= 2; ++half) {
    DWORD began = GetTickCount();
    OpenAndCloseWindows(windows / 2);
    ASSERT_FALSE(HasFatalFailure());
    Report("half " + std::to_string(half) + ": windows took " + std::to_string((GetTickCount() - began) / 1000) + " s");
    began = GetTickCount();
    DoubleClickLinks(doubleClicks / 2);
    ASSERT_FALSE(HasFatalFailure());
    Report("half " + std::to_string(half) + ": double clicks took " +
           std::to_string((GetTickCount() - began) / 1000) + " s");
    began = GetTickCount();
    OpenTrayMenus(trayMenus / 2);
    ASSERT_FALSE(HasFatalFailure());
    Report("half " + std::to_string(half) + ": tray menus took " +
           std::to_string((GetTickCount() - began) / 1000) + " s");
    began = GetTickCount();
    RunMailCommands(mailCommands / 2);
    ASSERT_FALSE(HasFatalFailure());
    Report("half " + std::to_string(half) + ": mail commands took " +
           std::to_string((GetTickCount() - began) / 1000) + " s");
    figures[half] = FiguresOf(agent_.Handle());
    Report(std::string(half == 1 ? "agent in the middle: " : "agent at the end:    ") + Describe(figures[half]));
  }
  const long long costAtEnd = HostMessageCost();
  const auto ratio = [](long long cost, long long base) {
    char text[32];
    std::snprintf(text, sizeof text, "x%.2f", base > 0 ? static_cast<double>(cost) / static_cast<double>(base) : 0.0);
    return std::string(text);
  };
  Report("host's cost of one message: " + std::to_string(costWithoutAgent) + " ns without the agent, " +
         std::to_string(costWithEmptyHooks) + " ns with an empty hook pair (" +
         ratio(costWithEmptyHooks, costWithoutAgent) + "); with the agent " + std::to_string(costAtStart) +
         " ns at the start (" + ratio(costAtStart, costWithoutAgent) + ", " + ratio(costAtStart, costWithEmptyHooks) +
         " of the empty pair), " + std::to_string(costAtEnd) + " ns at the end (" +
         ratio(costAtEnd, costWithoutAgent) + ", " + ratio(costAtEnd, costWithEmptyHooks) + " of the empty pair)");
  Report("longest wait of the host's queue: " + std::to_string(longestPing_) + " ms");
  // The agent reads the clipboard once per double click; Wine's clipboard
  // keeps some memory of every read in the reader.
  Report("this process's private memory grew by " +
         std::to_string(ClipboardReadGrowth(doubleClicks / 2) / 1024) +
         " KiB over as many clipboard reads as the double clicks of a half");

  const ProcessFigures& middle = figures[1];
  const ProcessFigures& end = figures[2];
  EXPECT_LE(Grown(middle.handles, end.handles), kHandleSlack) << "handles grow";
  EXPECT_LE(Grown(middle.gdiObjects, end.gdiObjects), kObjectSlack) << "GDI objects grow";
  EXPECT_LE(Grown(middle.userObjects, end.userObjects), kObjectSlack) << "USER objects grow";
  EXPECT_LE(Grown(middle.privateBytes, end.privateBytes), kMemorySlack) << "private memory grows";
  // Hooks stacked by the work would make every host message cost more. A
  // host message's cost with hooks swings by several times between runs of
  // an idle machine (Wine's hooks go through its server), so the end is
  // compared with the higher of the start and the empty pair.
  EXPECT_LT(costAtEnd, std::max(costAtStart, costWithEmptyHooks) * 2 + 2000)
      << "the host's messages cost more at the end";

  ExpectNoModifierDown("load");
  // The setting survives the run and the agent's normal end.
  const std::string folder = dir_ + "モチル\\表";
  EndAgent();
  EXPECT_NE(e2e::ReadWholeFile(install_.dir + "Sorvik.INI").find("folder=" + folder + "\r\n"), std::string::npos);
}

}  // namespace
}  // namespace soak
