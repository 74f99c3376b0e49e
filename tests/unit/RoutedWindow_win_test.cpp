// The window trampoline: messages reach the object, an exception that leaves
// a handler is shown in the program's error box instead of crossing user32,
// and a class cannot be registered twice with different looks.
#include "base/RoutedWindow_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/Handles_win.h"

namespace {

std::vector<std::string> Shown;
void RecordErrorBox(const char* what) { Shown.emplace_back(what); }

constexpr UINT kThrowStd = WM_APP + 1;
constexpr UINT kThrowOther = WM_APP + 2;
constexpr UINT kAnswer = WM_APP + 3;

class Thrower : public MessageHandler {
 public:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case kThrowStd: throw std::runtime_error("共有メモリ[x]を開けません");
      case kThrowOther: throw 42;
      case kAnswer: return 7;
      default: return DefWindowProcA(window, message, wParam, lParam);
    }
  }
};

class RoutedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    Shown.clear();
    SetErrorBox(RecordErrorBox);
  }
  void TearDown() override { SetErrorBox(nullptr); }
};

TEST_F(RoutedWindow, AnExceptionLeavingAHandlerIsShownAndTheWindowLivesOn) {
  ASSERT_TRUE(RegisterRoutedClass("SorvikTestThrower"));
  Thrower handler;
  const UniqueWindow window(CreateRoutedWindow(&handler, 0, "SorvikTestThrower", "", WS_POPUP, 0, 0, 10, 10,
                                               nullptr));
  ASSERT_NE(window.get(), nullptr);

  EXPECT_EQ(SendMessageA(window.get(), kThrowStd, 0, 0), 0);
  EXPECT_EQ(SendMessageA(window.get(), kThrowOther, 0, 0), 0);
  ASSERT_EQ(Shown.size(), 2u);
  EXPECT_EQ(Shown[0], "共有メモリ[x]を開けません");
  EXPECT_EQ(Shown[1], "予期しないエラーが発生しました");

  // Posted, through the message loop's DispatchMessage, the same.
  PostMessageA(window.get(), kThrowStd, 0, 0);
  MSG msg;
  while (PeekMessageA(&msg, window.get(), 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(Shown.size(), 3u);
  EXPECT_EQ(SendMessageA(window.get(), kAnswer, 0, 0), 7) << "the window still answers";
}

TEST_F(RoutedWindow, AClassKeepsOneLookAndASecondOneIsRefused) {
  const UniqueGdiObject brush(CreateSolidBrush(RGB(1, 2, 3)));
  WindowClassOptions look;
  look.background = static_cast<HBRUSH>(brush.get());
  look.style = CS_DBLCLKS;
  ASSERT_TRUE(RegisterRoutedClass("SorvikTestLook", look));
  EXPECT_TRUE(RegisterRoutedClass("SorvikTestLook", look)) << "the same look again is fine";

  WindowClassOptions otherBrush = look;
  otherBrush.background = GetSysColorBrush(COLOR_WINDOW);
  WindowClassOptions otherStyle = look;
  otherStyle.style = 0;
  EXPECT_FALSE(RegisterRoutedClass("SorvikTestLook", otherBrush));
  EXPECT_FALSE(RegisterRoutedClass("SorvikTestLook", otherStyle));

  WNDCLASSEXA registered{};
  registered.cbSize = sizeof registered;
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "SorvikTestLook", &registered));
  EXPECT_EQ(registered.hbrBackground, look.background) << "the first look stays";
}

}  // namespace
