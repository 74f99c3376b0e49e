// The clipboard as text: what is put there is read back byte for byte, and a
// clipboard that another thread holds open is waited for, but not for ever.
#include "toolbox/Clipboard_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Holder {
  DWORD holdMs;
  HANDLE opened;
};

// Opens the clipboard for a window of its own, as another program would.
DWORD WINAPI HoldClipboard(void* context) {
  auto* holder = static_cast<Holder*>(context);
  HWND window = CreateWindowExA(0, "STATIC", "holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (window == nullptr || !OpenClipboard(window)) return 1;
  SetEvent(holder->opened);
  Sleep(holder->holdMs);
  CloseClipboard();
  DestroyWindow(window);
  return 0;
}

// Runs `body` while another thread holds the clipboard open for `holdMs`.
template <class Body>
void WhileHeld(DWORD holdMs, Body body) {
  Holder holder{holdMs, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  HANDLE thread = CreateThread(nullptr, 0, HoldClipboard, &holder, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(WaitForSingleObject(holder.opened, 5000), WAIT_OBJECT_0);
  body();
  WaitForSingleObject(thread, 10000);
  CloseHandle(thread);
  CloseHandle(holder.opened);
}

TEST(ClipboardText, RoundTripsBytesOfTheCodePage) {
  for (const std::string& text : {std::string("a,b,"), std::string("メールを書く : 表ソ"), std::string()}) {
    ASSERT_TRUE(SetClipboardText(text));
    EXPECT_TRUE(ClipboardHasText());
    EXPECT_EQ(GetClipboardText(), text);
  }
}

TEST(ClipboardText, WaitsForAClipboardHeldBrieflyAndGivesUpOnOneHeldLong) {
  ASSERT_TRUE(SetClipboardText("before"));
  WhileHeld(300, [] {
    const DWORD start = GetTickCount();
    EXPECT_TRUE(SetClipboardText("after a wait"));
    EXPECT_GE(GetTickCount() - start, 200u);
  });
  EXPECT_EQ(GetClipboardText(), "after a wait");

  WhileHeld(3000, [] {
    const DWORD start = GetTickCount();
    EXPECT_FALSE(SetClipboardText("never"));
    EXPECT_EQ(GetClipboardText(), "");
    const DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 2 * kClipboardOpenLimitMs - 100);
    EXPECT_LT(waited, 2 * kClipboardOpenLimitMs + 900) << "the waits are bounded";
  });
  EXPECT_EQ(GetClipboardText(), "after a wait") << "nothing was lost";
}

}  // namespace
