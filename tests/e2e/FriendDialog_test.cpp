// The friend book's dialog through "コピーだけ": where it stands, what it
// lists from friend books of every shape, what OK puts on the clipboard,
// the questions about texts over 255 bytes, Escape, and its header.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "agent/MenuCommands.h"
#include "tests/e2e/MailFixture.h"
#include "tests/e2e/ShellStandIns.h"
#include "toolbox/Clipboard_win.h"
#include "tools/standin-host/FriendBookFile.h"

namespace {

using standin::FriendBookBytes;
using standin::FriendEntry;

class FriendDialog : public e2e::MailFixture {
 protected:
  // Opens the dialog with "コピーだけ"; the dialog, or null.
  HWND Open() {
    Send(cmdCopyFriends);
    return WaitForDialog();
  }
  int Items(HWND dialog) { return static_cast<int>(SendMessageA(DialogList(dialog), LB_GETCOUNT, 0, 0)); }
  // Chooses `indices`, presses OK and waits for the dialog to close.
  void ChooseAndClose(HWND dialog, const std::vector<int>& indices) {
    SelectFriends(dialog, indices);
    ClickOk(dialog);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000)) << "the dialog stayed";
  }
  void PressEscape(HWND dialog) {
    ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == dialog; }, 5000)) << "the dialog is not in front";
    keybd_event(VK_ESCAPE, static_cast<BYTE>(MapVirtualKeyA(VK_ESCAPE, 0)), 0, 0);
    keybd_event(VK_ESCAPE, static_cast<BYTE>(MapVirtualKeyA(VK_ESCAPE, 0)), KEYEVENTF_KEYUP, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000)) << "Escape did not close it";
  }
  bool NoBox() { return e2e::FindProcessWindow(agent_.Id(), "#32770") == nullptr; }
};

const std::vector<FriendEntry> kTwo = {{"ポチ", "太郎", "a1@example.jp"}, {"タマ", "花子", "a2@example.jp"}};

TEST_F(FriendDialog, CopyOnlyStandsAtTheRightEdgeAndPutsTheChosenAddressesOnTheClipboard) {
  WriteFriendBook(FriendBookBytes(kTwo));
  Start(false);
  ASSERT_TRUE(SetClipboardText("kept"));

  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  char title[64] = {};
  GetWindowTextA(dialog, title, sizeof title);
  EXPECT_STREQ(title, "おともだち達帳");
  RECT frame{};
  GetWindowRect(dialog, &frame);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(frame.right, screenWidth);
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(frame.bottom - frame.top, screenHeight - 20);
  EXPECT_EQ(e2e::ClientSize(dialog).cx, 424);
  EXPECT_EQ(Items(dialog), 2);
  EXPECT_TRUE(NoBox());
  SelectFriends(dialog, {1});
  Evidence("FriendDialog.copy-only");

  // Escape in the list cancels: the clipboard keeps what it held.
  PressEscape(dialog);
  e2e::PumpFor(300);
  EXPECT_EQ(GetClipboardText(), "kept");

  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  ChooseAndClose(dialog, {0, 1});
  EXPECT_EQ(GetClipboardText(), "a1@example.jp (太郎),a2@example.jp (花子)");
  // Nothing chosen: an empty text.
  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  ChooseAndClose(dialog, {});
  EXPECT_EQ(GetClipboardText(), "");
}

// What the dialog lists, seen through its item count and through what OK
// gives with every friend chosen.
TEST_F(FriendDialog, ListsWhatTheFriendBookHoldsWhateverItsShape) {
  Start(false);
  const std::string whole = FriendBookBytes({{"ポチ", "太郎", "taro@example.jp"}});
  struct Case { const char* name; std::string bytes; int items; std::string copied; };
  const Case cases[] = {
      {"an empty file: no friends and no message", "", 0, ""},
      {"a file that ends inside the second record", FriendBookBytes(kTwo) + whole.substr(0, 19), 3,
       "a1@example.jp (太郎),a2@example.jp (花子),taro (太郎)"},
      {"a zero byte inside a name ends it", FriendBookBytes({{"ポチ", std::string("山田\0太郎", 9), "m@x.jp"}}), 1,
       "m@x.jp (山田)"},
      {"three records whose lengths are all zero", FriendBookBytes({{}, {}, {}}), 3, " (), (), ()"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFriendBook(c.bytes);
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(NoBox());
    EXPECT_EQ(Items(dialog), c.items);
    std::vector<int> all;
    for (int i = 0; i < c.items; ++i) all.push_back(i);
    ChooseAndClose(dialog, all);
    EXPECT_EQ(GetClipboardText(), c.copied);
  }
}

TEST_F(FriendDialog, AMissingOrUnreadableFriendBookIsReportedAndTheDialogOpensEmpty) {
  WriteFriendBook(FriendBookBytes({{"ポチ", "太郎", "a1@x.jp"}, {"タマ", "花子", "a2@x.jp"}, {"モモ", "次郎", "a3@x.jp"}}));
  Start(false);
  // After an OK the dialog holds only the friend chosen then...
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  ChooseAndClose(dialog, {1});
  ASSERT_EQ(GetClipboardText(), "a2@x.jp (花子)");

  // ...and a later show without the file must not list the three items
  // still: it lists none.
  ASSERT_TRUE(DeleteFileA(friendBook_.c_str()));
  Send(cmdCopyFriends);
  HWND box = WaitForBox("おともだち帳がみつかりません");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(e2e::MessageBoxText(box), "おともだち帳がみつかりません。添付書類フォルダの設定を正しく行ってください");
  EXPECT_EQ(e2e::MessageBoxCaption(box), "");
  Evidence("FriendDialog.missing");
  ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  dialog = WaitForDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Items(dialog), 0);
  ChooseAndClose(dialog, {});
  EXPECT_EQ(GetClipboardText(), "");
  EXPECT_TRUE(agent_.Running());

  // A friend book that another program holds shut: the message names it.
  WriteFriendBook(FriendBookBytes(kTwo));
  HANDLE locked = CreateFileA(friendBook_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  Send(cmdCopyFriends);
  box = WaitForBox(friendBook_);
  EXPECT_NE(box, nullptr) << "no message naming " << friendBook_;
  if (box != nullptr) {
    EXPECT_EQ(e2e::MessageBoxText(box).rfind("おともだち帳を読み込めませんでした。\n\n" + friendBook_, 0), 0u)
        << e2e::MessageBoxText(box);
    Evidence("FriendDialog.unreadable");
    ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));
  }
  CloseHandle(locked);
  dialog = WaitForDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Items(dialog), 0);
  PressEscape(dialog);
}

// Two friends whose addresses make a short text of `briefBytes` bytes.
std::string BookOfBriefLength(std::size_t briefBytes) {
  const std::string first = std::string(94, 'a') + "@x.jp";                   // 99 bytes
  const std::string second = std::string(briefBytes - 100 - 5, 'b') + "@y.jp";  // the rest after the comma
  return FriendBookBytes({{"ポチ", "太郎", first}, {"タマ", "花子", second}});
}

TEST_F(FriendDialog, TextsOver255BytesAreAskedAboutInTurn) {
  Start(false);
  const char* briefQuestion = "メールアドレスを短縮しても２５５文字以上になります。よろしいですか？";
  const char* fullQuestion =
      "メールアドレスが２５５文字以上です。短縮しますか？\n\nはい=アドレスのみ　いいえ=名前も　キャンセル=中止";
  const std::string brief255 = std::string(94, 'a') + "@x.jp," + std::string(150, 'b') + "@y.jp";
  const std::string brief256 = std::string(94, 'a') + "@x.jp," + std::string(151, 'b') + "@y.jp";
  const auto full = [](const std::string& brief) {
    const std::size_t comma = brief.find(',');
    return brief.substr(0, comma) + " (太郎)," + brief.substr(comma + 1) + " (花子)";
  };
  ASSERT_EQ(brief255.size(), 255u);
  struct Answer { const char* question; int button; };
  struct Case { const char* name; std::size_t brief; std::vector<Answer> answers; std::string copied; };
  const Case cases[] = {
      {"short at 255: only the second question; Yes takes the short text", 255, {{fullQuestion, IDYES}}, brief255},
      {"short at 256, Cancel: nothing more is asked", 256, {{briefQuestion, IDCANCEL}}, "kept"},
      {"short at 256, OK then No: the full text over the limit", 256,
       {{briefQuestion, IDOK}, {fullQuestion, IDNO}}, full(brief256)},
      {"short at 256, OK then Cancel", 256, {{briefQuestion, IDOK}, {fullQuestion, IDCANCEL}}, "kept"},
  };
  std::set<std::string> pictured;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFriendBook(BookOfBriefLength(c.brief));
    ASSERT_TRUE(SetClipboardText("kept"));
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    SelectFriends(dialog, {0, 1});
    ClickOk(dialog);
    for (const Answer& answer : c.answers) {
      HWND box = WaitForBox("２５５文字以上");
      ASSERT_NE(box, nullptr) << "not asked: " << answer.question;
      EXPECT_EQ(e2e::MessageBoxText(box), answer.question);
      EXPECT_EQ(e2e::MessageBoxCaption(box), "");
      const std::string picture =
          answer.question == briefQuestion ? "FriendDialog.question-short" : "FriendDialog.question-full";
      if (pictured.insert(picture).second) Evidence(picture);
      ASSERT_TRUE(e2e::AnswerMessageBox(box, answer.button));
    }
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000)) << "the dialog stayed";
    EXPECT_TRUE(NoBox()) << "asked once more";
    EXPECT_EQ(GetClipboardText(), c.copied);
  }
}

TEST_F(FriendDialog, LongNamesEndInDotsAndTheLastSectionFillsTheHeader) {
  e2e::StandinHost::Options options;
  options.friendBook = friendBook_;  // the host's sample book, with long names
  Start(false, options);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(Items(dialog), 6);
  SelectFriends(dialog, {1});
  Evidence("FriendDialog.long-names");

  // The pink of the header sections reaches the header's right end, before
  // and after the first section is dragged narrower.
  const auto headerColourAt = [&](int x) {
    POINT at{x, 41 + 8};
    ClientToScreen(dialog, &at);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
  };
  const int right = e2e::ClientSize(dialog).cx - 6;
  const COLORREF pink = RGB(255, 187, 187);
  EXPECT_EQ(headerColourAt(right), pink);
  POINT from{100, 41 + 8}, to{50, 41 + 8};
  ClientToScreen(dialog, &from);
  ClientToScreen(dialog, &to);
  SetCursorPos(from.x, from.y);
  e2e::PumpFor(100);
  e2e::MouseEventsAt(from.x, from.y, {MOUSEEVENTF_LEFTDOWN});
  for (int x = from.x; x >= to.x; x -= 10) {
    e2e::MouseEventsAt(x, from.y, {0});
    e2e::PumpFor(30);
  }
  e2e::MouseEventsAt(to.x, to.y, {MOUSEEVENTF_LEFTUP});
  // A key after the release: once the list has moved its caret, the
  // release has been handled too. Then the header is painted anew, now.
  HWND list = DialogList(dialog);
  const LRESULT caret = SendMessageA(list, LB_GETCARETINDEX, 0, 0);
  keybd_event(VK_DOWN, static_cast<BYTE>(MapVirtualKeyA(VK_DOWN, 0)), KEYEVENTF_EXTENDEDKEY, 0);
  keybd_event(VK_DOWN, static_cast<BYTE>(MapVirtualKeyA(VK_DOWN, 0)), KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return SendMessageA(list, LB_GETCARETINDEX, 0, 0) != caret; }, 5000));
  HWND header = FindWindowExA(dialog, nullptr, "SysHeader32", nullptr);
  ASSERT_NE(header, nullptr);
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_TRUE(e2e::WaitUntil([&] { return headerColourAt(right) == pink; }, 2000))
      << "the last section no longer reaches the end";
  Evidence("FriendDialog.section-resized");
  PressEscape(dialog);
}

}  // namespace
