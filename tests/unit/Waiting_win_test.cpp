// Waiting without stalling other threads: a message another thread sends
// during the pause is answered at once, while posted messages stay queued.
#include "toolbox/Waiting_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "base/Handles_win.h"

namespace {

constexpr UINT kPing = WM_APP + 10;
constexpr UINT kPosted = WM_APP + 11;

std::atomic<int> pings{0};
std::atomic<int> postedSeen{0};

LRESULT CALLBACK Receiver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPing) return ++pings;
  if (message == kPosted) ++postedSeen;
  return DefWindowProcA(window, message, wParam, lParam);
}

struct Sender {
  HWND target;
  DWORD sentAfterMs;
  DWORD answeredAfterMs = 0;
  LRESULT answer = 0;
};

DWORD WINAPI SendLater(void* context) {
  auto* sender = static_cast<Sender*>(context);
  Sleep(sender->sentAfterMs);
  const DWORD sent = GetTickCount();
  sender->answer = SendMessageA(sender->target, kPing, 0, 0);
  sender->answeredAfterMs = GetTickCount() - sent;
  return 0;
}

TEST(PauseAnsweringSentMessages, AnswersSentMessagesAtOnceAndLeavesPostedOnesQueued) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Receiver;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "SorvikTestWaiting";
  RegisterClassA(&wc);
  const UniqueWindow window(CreateWindowExA(0, "SorvikTestWaiting", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                            nullptr, wc.hInstance, nullptr));
  ASSERT_NE(window.get(), nullptr);
  pings = 0;
  postedSeen = 0;
  PostMessageA(window.get(), kPosted, 0, 0);

  Sender sender{window.get(), 100};
  HANDLE thread = CreateThread(nullptr, 0, SendLater, &sender, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  const DWORD start = GetTickCount();
  PauseAnsweringSentMessages(800);
  const DWORD paused = GetTickCount() - start;
  EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  CloseHandle(thread);

  EXPECT_EQ(sender.answer, 1) << "the sent message was answered during the pause";
  EXPECT_LT(sender.answeredAfterMs, 300u) << "the sender waited for the pause to end";
  EXPECT_GE(paused, 790u) << "the pause ended early";
  EXPECT_EQ(postedSeen, 0) << "a posted message was taken during the pause";
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, window.get(), kPosted, kPosted, PM_REMOVE)) << "the posted message is still queued";
}

TEST(ProcessPendingMessages, HandlesWhatIsQueuedAndLeavesTheQuitForTheMainLoop) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Receiver;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "SorvikTestPending";
  RegisterClassA(&wc);
  const UniqueWindow window(CreateWindowExA(0, "SorvikTestPending", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                            nullptr, wc.hInstance, nullptr));
  ASSERT_NE(window.get(), nullptr);
  postedSeen = 0;
  PostMessageA(window.get(), kPosted, 0, 0);
  PostMessageA(window.get(), kPosted, 0, 0);
  PostQuitMessage(7);
  const DWORD start = GetTickCount();
  ProcessPendingMessages();
  EXPECT_LT(GetTickCount() - start, 500u) << "it waited for more";
  EXPECT_EQ(postedSeen, 2);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message was lost";
  EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
