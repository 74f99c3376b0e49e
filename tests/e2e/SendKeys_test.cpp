// SendKeys on the real keyboard: the line selection the agent uses before it
// copies a double-clicked line, done in the stand-in host's memo from another
// process, and the Num Lock state of the calling thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "keys/SendKeys_win.h"
#include "tests/e2e/E2eSupport.h"

namespace {

constexpr DWORD kInputTimeout = 5000;

std::optional<std::string> ClipboardText() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool EmptyTheClipboard() {
  if (!OpenClipboard(nullptr)) return false;
  const bool emptied = EmptyClipboard() != 0;
  CloseClipboard();
  return emptied;
}

bool AnyModifierDown() {
  for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
    if (GetAsyncKeyState(vk) & 0x8000) return true;
  }
  return false;
}

TEST(SendKeysOnTheDesktop, HomeShiftEndSelectsTheClickedLineOfTheHostMemoForCopying) {
  const std::string lines[] = {"最初の行 first line", "二行目はソフトの表示です mail@example.com",
                               "3行目 third line"};
  e2e::StandinHost host;
  ASSERT_TRUE(host.Start());
  HWND memo = host.CommandHandle("memo-text " + lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2]);
  ASSERT_NE(memo, nullptr);
  ASSERT_EQ(SendMessageA(memo, EM_GETLINECOUNT, 0, 0), 3);
  HWND main = host.CommandHandle("main");
  SetForegroundWindow(main);
  ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == main; }, kInputTimeout));

  // Click a little way into the second line, half way down it.
  const auto second = SendMessageA(memo, EM_POSFROMCHAR, SendMessageA(memo, EM_LINEINDEX, 1, 0), 0);
  const auto third = SendMessageA(memo, EM_POSFROMCHAR, SendMessageA(memo, EM_LINEINDEX, 2, 0), 0);
  POINT point{static_cast<short>(LOWORD(second)) + 40,
              (static_cast<short>(HIWORD(second)) + static_cast<short>(HIWORD(third))) / 2};
  ClientToScreen(memo, &point);
  e2e::ClickAt(point.x, point.y);
  ASSERT_TRUE(e2e::WaitUntil([&] { return SendMessageA(memo, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0) == 1; },
                             kInputTimeout))
      << "the caret should be on the clicked line";
  ASSERT_TRUE(EmptyTheClipboard());

  EXPECT_TRUE(SendKeys("{HOME}+{END}", true));
  EXPECT_FALSE(AnyModifierDown());
  keybd_event(VK_CONTROL, static_cast<BYTE>(MapVirtualKeyA(VK_CONTROL, 0)), 0, 0);
  keybd_event('C', static_cast<BYTE>(MapVirtualKeyA('C', 0)), 0, 0);
  keybd_event('C', static_cast<BYTE>(MapVirtualKeyA('C', 0)), KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, static_cast<BYTE>(MapVirtualKeyA(VK_CONTROL, 0)), KEYEVENTF_KEYUP, 0);

  std::optional<std::string> copied;
  e2e::WaitUntil([&] { return (copied = ClipboardText()).has_value(); }, kInputTimeout);
  ASSERT_TRUE(copied.has_value()) << "nothing was copied";
  EXPECT_EQ(*copied, lines[1]);
}

TEST(SendKeysOnTheDesktop, NumLockFlipsTheCallingThreadsToggleStateOnce) {
  const bool before = (GetKeyState(VK_NUMLOCK) & 1) != 0;
  EXPECT_TRUE(SendKeys("{NUMLOCK}", true));
  EXPECT_EQ((GetKeyState(VK_NUMLOCK) & 1) != 0, !before);
  EXPECT_TRUE(SendKeys(std::string("{numlock 5}"), true));
  EXPECT_EQ((GetKeyState(VK_NUMLOCK) & 1) != 0, before);
}

}  // namespace
