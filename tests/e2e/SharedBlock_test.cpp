// The shared block's stream on a real named mapping, the slot operations and
// their error reports, and the lookup of the host's main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "hostaccess/SharedStream_win.h"
#include "hostaccess/HookSlots_win.h"
#include "hostaccess/HostWindows_win.h"
#include "tests/e2e/E2eSupport.h"

namespace {

using e2e::FakeAgentWindow;

std::vector<LPARAM> ErrorDetails(const FakeAgentWindow& agent) {
  std::vector<LPARAM> details;
  for (const e2e::Received& r : agent.Messages()) {
    if (r.message == UM_ERROR) {
      EXPECT_EQ(r.wParam, UM_ERROR_WPARAM);
      details.push_back(r.lParam);
    }
  }
  return details;
}

TEST(CommonMemoryStream, TwoStreamsOnOneNameShareTheBlock) {
  TCommonMemoryStream writer("SorvikTestBlock", 12);
  TCommonMemoryStream reader("SorvikTestBlock", 12);
  const std::uint32_t value = 0x12345678;
  writer.Seek(4, TBoundedMemoryStream::soBeginning);
  ASSERT_EQ(writer.Write(&value, 4), 4);
  std::uint32_t read = 0;
  reader.Seek(4, TBoundedMemoryStream::soBeginning);
  ASSERT_EQ(reader.Read(&read, 4), 4);
  EXPECT_EQ(read, value);
}

TEST(CommonMemoryStream, ANameTakenByAnotherKindOfObjectCannotBeOpened) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "SorvikTestTaken");
  ASSERT_NE(mutex, nullptr);
  try {
    TCommonMemoryStream stream("SorvikTestTaken", 12);
    ADD_FAILURE() << "opened";
  } catch (const SharedMemoryOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "共有メモリ[SorvikTestTaken]を開けません");
  }
  CloseHandle(mutex);
}

TEST(HookSlots, ReadingWhileNobodyHoldsTheBlockGivesZeroAndLeavesNoBlock) {
  ASSERT_FALSE(e2e::SharedBlockExists()) << "another test left the block open";
  FakeAgentWindow agent;
  EXPECT_EQ(ReadHookSlotOrReportError(SLOT_GETMSG_HOOK), 0u);
  EXPECT_FALSE(e2e::SharedBlockExists());
  EXPECT_TRUE(ErrorDetails(agent).empty());
}

TEST(HookSlots, WritesReachTheSlotAndReadsSeeThem) {
  HANDLE block = e2e::PlantSharedBlock(0, 0, 0);
  WriteHookSlotOrReportError(0xAABBCCDD, 2);
  WriteHookSlotOrReportError(7, 1);
  EXPECT_EQ(ReadHookSlotOrReportError(2), 0xAABBCCDDu);
  EXPECT_EQ(ReadHookSlotOrReportError(1), 7u);
  EXPECT_EQ(*e2e::ReadSharedSlots(), (std::vector<std::uint32_t>{0, 7, 0xAABBCCDD}));
  CloseHandle(block);
}

// An index outside 0..2 would touch memory beyond the 12-byte view: it is a
// failure, reported like any other, and nothing is written.
TEST(HookSlots, AnIndexOutsideTheBlockIsReportedAndTouchesNothing) {
  HANDLE block = e2e::PlantSharedBlock(1, 2, 3);
  FakeAgentWindow agent;
  EXPECT_EQ(ReadHookSlotOrReportError(3), 0u);
  EXPECT_EQ(ReadHookSlotOrReportError(-1), 0u);
  WriteHookSlotOrReportError(99, 3);
  WriteHookSlotOrReportError(99, -1);
  EXPECT_EQ(ErrorDetails(agent), (std::vector<LPARAM>{errSlotRead, errSlotRead, errSlotWrite, errSlotWrite}));
  EXPECT_EQ(*e2e::ReadSharedSlots(), (std::vector<std::uint32_t>{1, 2, 3}));
  CloseHandle(block);
}

TEST(HookSlots, ABlockThatCannotBeOpenedIsReportedToTheAgent) {
  HANDLE squatter = CreateMutexA(nullptr, FALSE, SHARED_BLOCK_NAME);
  ASSERT_NE(squatter, nullptr);
  {
    FakeAgentWindow agent;
    EXPECT_EQ(ReadHookSlotOrReportError(1), 0u);
    WriteHookSlotOrReportError(5, 1);
    EXPECT_EQ(ErrorDetails(agent), (std::vector<LPARAM>{errSlotRead, errSlotWrite}));
  }
  // Without an agent window the reports are dropped.
  EXPECT_EQ(ReadHookSlotOrReportError(1), 0u);
  CloseHandle(squatter);
}

TEST(FindHostMainWindow, TheLastOwnedMainWindowEnumeratedWins) {
  e2e::StandinHost host;
  ASSERT_TRUE(host.Start());
  HWND app = host.Application();
  HWND second = host.CommandHandle("show TMainWnd");
  ASSERT_NE(second, nullptr);
  host.CommandHandle("show TRxWnd");  // owned, but of another class

  // The owned main windows in the order the system enumerates them now.
  const auto mainsNow = [app] {
    struct Found { HWND app; std::vector<HWND> mains; } found{app, {}};
    EnumWindows(
        [](HWND window, LPARAM context) CALLBACK -> BOOL {
          auto* f = reinterpret_cast<Found*>(context);
          char name[256] = {};
          GetClassNameA(window, name, sizeof name);
          if (GetWindow(window, GW_OWNER) == f->app && std::string(name) == "TMainWnd") f->mains.push_back(window);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.mains;
  };
  // The window manager may still be restacking the windows just shown: the
  // answer is checked against an order that held before and after it.
  std::vector<HWND> mains;
  HWND answer = nullptr;
  EXPECT_TRUE(e2e::WaitUntil([&] {
    mains = mainsNow();
    answer = FindHostMainWindow(app);
    return mains == mainsNow();
  }, 5000)) << "the order of the windows never settled";
  ASSERT_EQ(mains.size(), 2u);
  EXPECT_EQ(answer, mains.back());
  EXPECT_EQ(FindHostMainWindow(host.CommandHandle("memo")), nullptr) << "a window that owns no main window";
}

}  // namespace
