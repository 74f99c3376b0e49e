// The host window entries built into a real menu from real windows of this
// process that stand for the host's: which windows, in which order, with
// which captions and windows, and what a rebuild leaves.
#include "agent/HostWindowMenu_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Handles_win.h"

namespace {

constexpr UINT kFixedItem = 10;
constexpr UINT kAnchor = 99;
constexpr UINT kFirstEntry = 500;

void RegisterPlainClass(const char* name) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

struct Item {
  UINT id;
  std::string caption;
  HWND window;

  friend bool operator==(const Item&, const Item&) = default;
};

std::vector<Item> Items(HMENU menu) {
  std::vector<Item> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[512] = {};
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_ID;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    items.push_back({info.wID, text, reinterpret_cast<HWND>(info.dwItemData)});
  }
  return items;
}

class HostWindowMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"SorvikTestHostApp", "TMainWnd", "TMailWnd", "TReadWnd", "TRxWnd", "TPanel", "TEdit"}) {
      RegisterPlainClass(name);
    }
    app_.reset(Make("SorvikTestHostApp", "Mochiru", WS_POPUP, nullptr));
    menu_ = CreatePopupMenu();
    AppendMenuA(menu_, MF_STRING, kFixedItem, "終了(&X)");
    AppendMenuA(menu_, MF_SEPARATOR, kAnchor, nullptr);
    // Entries of an earlier opening.
    AppendMenuA(menu_, MF_STRING, kFirstEntry, "&1 old");
    AppendMenuA(menu_, MF_STRING, kFirstEntry + 1, "&2 old");
  }
  void TearDown() override { DestroyMenu(menu_); }

  HWND Make(const char* cls, const char* title, DWORD style, HWND ownerOrParent) {
    HWND window = CreateWindowExA(0, cls, title, style, 0, 0, 100, 60, ownerOrParent, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(window, nullptr) << cls;
    return window;
  }
  HWND Owned(const char* cls, const char* title, bool visible = true) {
    HWND window = Make(cls, title, WS_POPUP | (visible ? WS_VISIBLE : 0), app_.get());
    windows_.emplace_back(window);
    return window;
  }
  // A mail-writing window whose recipients field (the first edit in the
  // first panel) holds `recipients`.
  HWND MailWindow(const std::string& recipients) {
    HWND mail = Owned("TMailWnd", "メールを書く");
    HWND panel = Make("TPanel", "", WS_CHILD | WS_VISIBLE, mail);
    Make("TEdit", recipients.c_str(), WS_CHILD | WS_VISIBLE, panel);
    Make("TEdit", "not the recipients", WS_CHILD | WS_VISIBLE, panel);
    return mail;
  }
  void Build(HWND owner, UINT anchor = kAnchor) {
    WindowMenuParams params;
    params.OwnerWindow = owner;
    params.PopupMenu = menu_;
    params.AnchorItem = anchor;
    params.FirstItemId = kFirstEntry;
    TMochiruWindowMenu().BuildMenu(params);
  }
  static std::vector<Item> Fixed() { return {{kFixedItem, "終了(&X)", nullptr}, {kAnchor, "", nullptr}}; }

  UniqueWindow app_;
  std::vector<UniqueWindow> windows_;
  HMENU menu_ = nullptr;
};

TEST_F(HostWindowMenu, ListsTheHostsVisibleOwnedWindowsInKindOrderWithTheirCaptions) {
  HWND reading = Owned("TReadWnd", "お知らせ");
  HWND mail = MailWindow("a@example.jp");
  HWND main = Owned("TMainWnd", "モチル");
  Owned("TRxWnd", "受信簿", false);  // hidden: no entry
  const UniqueWindow unowned(Make("TMainWnd", "unowned", WS_POPUP | WS_VISIBLE, nullptr));
  const UniqueWindow ownedByMain(Make("TReadWnd", "owned by the main window", WS_POPUP | WS_VISIBLE, main));

  Build(app_.get());
  std::vector<Item> expected = Fixed();
  expected.push_back({kFirstEntry, "&1 モチル", main});
  expected.push_back({kFirstEntry + 1, "&2 メールを読む : お知らせ", reading});
  expected.push_back({kFirstEntry + 2, "&3 メールを書く : a@example.jp", mail});
  EXPECT_EQ(Items(menu_), expected);
  EXPECT_EQ(WindowMenuItemWindow(menu_, kFirstEntry + 1), reading);
  EXPECT_EQ(WindowMenuItemWindow(menu_, kFixedItem), nullptr);
  EXPECT_EQ(WindowMenuItemWindow(menu_, 777), nullptr);

  // The next opening gets the same entries, not twice as many.
  Build(app_.get());
  EXPECT_EQ(Items(menu_), expected);
}

TEST_F(HostWindowMenu, WithoutTheHostOnlyTheOldEntriesGo) {
  Owned("TMainWnd", "モチル");
  Build(nullptr);
  EXPECT_EQ(Items(menu_), Fixed());
}

TEST_F(HostWindowMenu, WithoutTheAnchorNothingIsRemovedAndTheEntriesGoLast) {
  HWND main = Owned("TMainWnd", "モチル");
  Build(app_.get(), 98);
  const std::vector<Item> items = Items(menu_);
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[2].caption, "&1 old");
  EXPECT_EQ(items[3].caption, "&2 old");
  EXPECT_EQ(items[4], (Item{kFirstEntry, "&1 モチル", main}));
}

TEST_F(HostWindowMenu, CaptionsOfMailWindowsAndTitlesWithAnAmpersand) {
  struct Case {
    const char* what;
    std::string recipients;  // of a mail-writing window
    std::string caption;
  };
  const std::string longRecipients = std::string(255, 'a') + "@example.jp";
  const Case cases[] = {
      {"recipients", "a@example.jp, b@example.jp", "&1 メールを書く : a@example.jp, b@example.jp"},
      {"none yet", "", "&1 メールを書く : "},
      {"at most 259 bytes of them", longRecipients, "&1 メールを書く : " + longRecipients.substr(0, 259)},
      {"an ampersand shows as itself", "Q&A <q@example.jp>", "&1 メールを書く : Q&&A <q@example.jp>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    windows_.clear();
    MailWindow(c.recipients);
    Build(app_.get());
    const std::vector<Item> items = Items(menu_);
    ASSERT_EQ(items.size(), 3u);
    // What the menu shows: a "&&" is displayed as one "&".
    EXPECT_EQ(items[2].caption, c.caption);
  }

  // A mail-writing window without the panel and its edit.
  windows_.clear();
  Owned("TMailWnd", "メールを書く");
  Build(app_.get());
  EXPECT_EQ(Items(menu_).back().caption, "&1 メールを書く : ");
}

}  // namespace
