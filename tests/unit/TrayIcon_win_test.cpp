// The tray icon component against a recording shell: what it sends to the
// shell as its properties change, how the shell's notifications become its
// events and menus, the guard against a notification during another, and
// what a restarted shell gets.
#include "components/TrayIcon_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Handles_win.h"
#include "base/RoutedWindow_win.h"
#include "tests/support/Pump_win.h"

namespace {

struct ShellCall {
  DWORD message;
  NOTIFYICONDATAA data;
};

// Records every call; refuses the messages in `refuse` (for the icon IDs
// in `refuseIds`, or for every ID when that is empty).
class RecordingShell {
 public:
  TrayShellCall Function() {
    return [this](DWORD message, NOTIFYICONDATAA& data) {
      calls.push_back({message, data});
      const bool idRefused = refuseIds.empty() || refuseIds.count(data.uID) != 0;
      return !(refuse.count(message) != 0 && idRefused);
    };
  }
  std::vector<DWORD> Messages() const {
    std::vector<DWORD> messages;
    for (const ShellCall& c : calls) messages.push_back(c.message);
    return messages;
  }
  std::vector<ShellCall> calls;
  std::set<DWORD> refuse;
  std::set<UINT> refuseIds;
};

// A hidden form window that keeps the messages posted to it after a menu.
class OwnerForm : public MessageHandler {
 public:
  OwnerForm() {
    RegisterRoutedClass("SorvikTestTrayOwner");
    window = CreateRoutedWindow(this, WS_EX_TOOLWINDOW, "SorvikTestTrayOwner", "owner", WS_POPUP, 0, 0, 10, 10,
                                nullptr);
    EXPECT_NE(window, nullptr);
  }
  ~OwnerForm() override {
    if (window != nullptr) DestroyWindow(window);
  }
  // TRAY_MENU_CLOSED_MESSAGE posted so far, as (wParam, lParam).
  std::vector<std::pair<WPARAM, LPARAM>> MenuClosed() {
    MSG msg;
    while (PeekMessageA(&msg, window, TRAY_MENU_CLOSED_MESSAGE, TRAY_MENU_CLOSED_MESSAGE, PM_REMOVE)) {
      menuClosed.emplace_back(msg.wParam, msg.lParam);
    }
    return menuClosed;
  }
  LRESULT HandleMessage(HWND w, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == TRAY_MENU_CLOSED_MESSAGE) {
      menuClosed.emplace_back(wParam, lParam);
      return 0;
    }
    if (message == WM_NCDESTROY) window = nullptr;
    return DefWindowProcA(w, message, wParam, lParam);
  }

  HWND window = nullptr;
  std::vector<std::pair<WPARAM, LPARAM>> menuClosed;
};

std::vector<std::string> ErrorsShown;
void RecordErrorBox(const char* what) { ErrorsShown.emplace_back(what); }

class TrayIcon : public ::testing::Test {
 protected:
  void SetUp() override {
    ErrorsShown.clear();
    SetErrorBox(RecordErrorBox);
    icon_ = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // the application icon
    ASSERT_NE(icon_, nullptr);
  }
  void TearDown() override { SetErrorBox(nullptr); }

  std::unique_ptr<TTaskTray> MakeTray() { return std::make_unique<TTaskTray>(owner_.window, shell_.Function()); }
  std::unique_ptr<TTaskTray> RegisteredTray() {
    auto tray = MakeTray();
    tray->SetIcon(icon_);
    tray->SetRegistered(true);
    return tray;
  }
  // The shell's notification for icon `id`, as the shell sends it.
  static void Notify(int id, UINT mouseMessage) {
    ASSERT_NE(TTaskTray::NotifyWindow(), nullptr);
    SendMessageA(TTaskTray::NotifyWindow(), TRAY_CALLBACK_MESSAGE, static_cast<WPARAM>(id), mouseMessage);
  }
  static std::string Tip(const NOTIFYICONDATAA& data) { return data.szTip; }

  OwnerForm owner_;
  RecordingShell shell_;
  HICON icon_ = nullptr;
};

template <class F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const TrayIconError& e) {
    return e.what();
  }
  return "";
}

TEST_F(TrayIcon, RegisteringAddsTheIconInTheRecordsFirstFormAndUnregisteringDeletesIt) {
  auto tray = MakeTray();
  EXPECT_EQ(tray->IconID(), 1) << "the first component of the process";
  EXPECT_FALSE(tray->Registered());
  tray->SetIcon(icon_);
  EXPECT_TRUE(shell_.calls.empty()) << "nothing is sent before the icon is registered";

  tray->SetRegistered(true);
  ASSERT_EQ(shell_.Messages(), std::vector<DWORD>{NIM_ADD});
  const NOTIFYICONDATAA& added = shell_.calls[0].data;
  EXPECT_EQ(added.cbSize, NOTIFYICONDATAA_V1_SIZE);
  EXPECT_LT(added.cbSize, sizeof(NOTIFYICONDATAA)) << "the first form, not today's larger one";
  EXPECT_EQ(added.hWnd, TTaskTray::NotifyWindow());
  EXPECT_EQ(GetWindow(added.hWnd, GW_OWNER), owner_.window);
  EXPECT_EQ(added.uID, 1u);
  EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON));
  EXPECT_EQ(added.uCallbackMessage, TRAY_CALLBACK_MESSAGE);
  EXPECT_EQ(added.hIcon, tray->Icon());
  EXPECT_NE(added.hIcon, icon_) << "the component keeps a copy of the image";
  EXPECT_EQ(Tip(added), "");
  EXPECT_TRUE(tray->Registered());
  EXPECT_TRUE(tray->IconAdded());

  tray->SetRegistered(true);
  EXPECT_EQ(shell_.calls.size(), 1u) << "already registered: nothing";

  tray->SetRegistered(false);
  ASSERT_EQ(shell_.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
  EXPECT_EQ(shell_.calls[1].data.uID, 1u);
  EXPECT_FALSE(tray->Registered());
  EXPECT_FALSE(tray->IconAdded());

  tray.reset();
  EXPECT_EQ(shell_.calls.size(), 2u) << "an icon not in the tray is not deleted again";
}

TEST_F(TrayIcon, TipChangesModifyARegisteredIconWithTheTipFlagOnlyWhenThereIsATip) {
  auto tray = RegisteredTray();
  shell_.calls.clear();
  const std::string longTip(70, 'x');
  struct Step {
    std::string tip;
    bool sent;
    UINT flags;
    std::string sentTip;
  };
  const Step steps[] = {
      {"Sorvik", true, NIF_MESSAGE | NIF_ICON | NIF_TIP, "Sorvik"},
      {"Sorvik", false, 0, ""},  // the same text: nothing
      {longTip, true, NIF_MESSAGE | NIF_ICON | NIF_TIP, std::string(63, 'x')},
      {std::string(62, 'y') + "表", true, NIF_MESSAGE | NIF_ICON | NIF_TIP, std::string(62, 'y')},
      {"", true, NIF_MESSAGE | NIF_ICON, ""},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE("tip \"" + s.tip + "\"");
    shell_.calls.clear();
    tray->SetTipString(s.tip);
    EXPECT_EQ(tray->TipString(), s.tip);
    if (!s.sent) {
      EXPECT_TRUE(shell_.calls.empty());
      continue;
    }
    ASSERT_EQ(shell_.Messages(), std::vector<DWORD>{NIM_MODIFY});
    EXPECT_EQ(shell_.calls[0].data.uFlags, s.flags);
    EXPECT_EQ(Tip(shell_.calls[0].data), s.sentTip);
    EXPECT_EQ(shell_.calls[0].data.hWnd, TTaskTray::NotifyWindow());
  }

  // An unregistered icon only keeps the text; registering sends it.
  auto other = MakeTray();
  shell_.calls.clear();
  other->SetTipString("later");
  EXPECT_TRUE(shell_.calls.empty());
  other->SetIcon(icon_);
  other->SetRegistered(true);
  ASSERT_EQ(shell_.Messages(), std::vector<DWORD>{NIM_ADD});
  EXPECT_EQ(Tip(shell_.calls[0].data), "later");
  EXPECT_EQ(shell_.calls[0].data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
}

TEST_F(TrayIcon, ErrorsTellWhatWentWrongAndLeaveTheComponentUsable) {
  auto tray = MakeTray();
  auto second = MakeTray();
  ASSERT_EQ(second->IconID(), 2);

  EXPECT_EQ(ErrorOf([&] { tray->SetRegistered(true); }), kTrayNoIcon);
  EXPECT_FALSE(tray->Registered());
  EXPECT_TRUE(shell_.calls.empty()) << "the icon stays out of the tray";

  struct IdCase {
    int id;
    const char* error;
  };
  for (const IdCase& c : {IdCase{0, kTrayIdNotPositive}, IdCase{-3, kTrayIdNotPositive}, IdCase{2, kTrayIdTaken}}) {
    EXPECT_EQ(ErrorOf([&] { tray->SetIconID(c.id); }), c.error) << c.id;
    EXPECT_EQ(tray->IconID(), 1);
  }
  EXPECT_EQ(ErrorOf([&] { tray->SetIconID(1); }), "") << "its own ID: nothing";

  // The shell refuses the add: the component still wants the icon.
  tray->SetIcon(icon_);
  shell_.refuse = {NIM_ADD};
  EXPECT_EQ(ErrorOf([&] { tray->SetRegistered(true); }), kTrayRefused);
  EXPECT_TRUE(tray->Registered());
  EXPECT_FALSE(tray->IconAdded());
  shell_.refuse.clear();
  tray->SetTipString("now");  // the next change adds it
  EXPECT_TRUE(tray->IconAdded());
  EXPECT_EQ(shell_.Messages().back(), static_cast<DWORD>(NIM_ADD));

  // A refused modify keeps the icon known as added.
  shell_.refuse = {NIM_MODIFY};
  EXPECT_EQ(ErrorOf([&] { tray->SetTipString("again"); }), kTrayRefused);
  EXPECT_TRUE(tray->IconAdded());
}

TEST_F(TrayIcon, AnIconIdChangeMovesARegisteredIconAndOnlyRenamesAnUnregisteredOne) {
  auto tray = RegisteredTray();
  shell_.calls.clear();
  tray->SetIconID(5);
  ASSERT_EQ(shell_.Messages(), (std::vector<DWORD>{NIM_DELETE, NIM_ADD}));
  EXPECT_EQ(shell_.calls[0].data.uID, 1u);
  EXPECT_EQ(shell_.calls[1].data.uID, 5u);
  EXPECT_TRUE(tray->Registered());
  EXPECT_EQ(tray->IconID(), 5);

  // Notifications follow the new ID.
  int ups = 0;
  tray->OnMouseUp = [&](TTaskTray&, TrayButton, TShiftState, int, int) { ++ups; };
  Notify(1, WM_LBUTTONUP);
  Notify(5, WM_LBUTTONUP);
  EXPECT_EQ(ups, 1);

  auto unregistered = MakeTray();
  EXPECT_EQ(unregistered->IconID(), 6) << "one more than the last component's";
  shell_.calls.clear();
  unregistered->SetIconID(9);
  EXPECT_TRUE(shell_.calls.empty());
  EXPECT_EQ(MakeTray()->IconID(), 10);
}

TEST_F(TrayIcon, AnIconGoneOrTheSameOneAgain) {
  auto tray = RegisteredTray();
  const HICON own = tray->Icon();
  shell_.calls.clear();
  tray->SetIcon(own);
  EXPECT_TRUE(shell_.calls.empty()) << "its own image: nothing";
  tray->SetIcon(icon_);
  EXPECT_EQ(shell_.Messages(), std::vector<DWORD>{NIM_MODIFY}) << "a new image refreshes the icon";

  tray->SetIcon(nullptr);
  EXPECT_EQ(shell_.Messages().back(), static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(tray->Icon(), nullptr);
  EXPECT_FALSE(tray->Registered());
  EXPECT_EQ(ErrorOf([&] { tray->SetRegistered(true); }), kTrayNoIcon);
}

TEST_F(TrayIcon, DestroyingTheComponentTakesItsIconOutAndItsIdStopsAnswering) {
  auto tray = RegisteredTray();
  tray->SetIconID(3);
  const HWND notify = TTaskTray::NotifyWindow();
  bool called = false;
  tray->OnMouseMove = [&](TTaskTray&, TShiftState, int, int) { called = true; };
  shell_.calls.clear();
  tray.reset();
  ASSERT_EQ(shell_.Messages(), std::vector<DWORD>{NIM_DELETE});
  EXPECT_EQ(shell_.calls[0].data.uID, 3u);
  SendMessageA(notify, TRAY_CALLBACK_MESSAGE, 3, WM_MOUSEMOVE);
  EXPECT_FALSE(called);
  EXPECT_EQ(MakeTray()->IconID(), 1) << "the list is empty again";
}

TEST_F(TrayIcon, NotificationsBecomeEventsAtTheCursorWithTheirButton) {
  auto tray = RegisteredTray();
  std::vector<std::string> events;
  const auto text = [](const char* what, TrayButton b, TShiftState shift, int x, int y) {
    const char* names[] = {"left", "right", "middle"};
    return std::string(what) + " " + names[static_cast<int>(b)] + " " + std::to_string(shift) + " " +
           std::to_string(x) + "," + std::to_string(y);
  };
  tray->OnMouseDown = [&](TTaskTray& s, TrayButton b, TShiftState shift, int x, int y) {
    EXPECT_EQ(&s, tray.get());
    events.push_back(text("down", b, shift, x, y));
  };
  tray->OnMouseUp = [&](TTaskTray&, TrayButton b, TShiftState shift, int x, int y) {
    events.push_back(text("up", b, shift, x, y));
  };
  tray->OnMouseMove = [&](TTaskTray&, TShiftState shift, int x, int y) {
    events.push_back(text("move", TrayButton::Left, shift, x, y));
  };
  tray->OnDblClick = [&](TTaskTray&, TrayButton b) { events.push_back(text("dbl", b, 0, 0, 0)); };

  ASSERT_TRUE(SetCursorPos(123, 45));
  POINT cursor{};
  GetCursorPos(&cursor);
  const std::string at = std::to_string(cursor.x) + "," + std::to_string(cursor.y);
  struct Case {
    UINT message;
    std::string event;  // empty: none
  };
  const Case cases[] = {
      {WM_MOUSEMOVE, "move left 0 " + at},
      {WM_LBUTTONDOWN, "down left 1 " + at},
      {WM_LBUTTONUP, "up left 1 " + at},
      {WM_LBUTTONDBLCLK, "dbl left 0 0,0"},
      {WM_RBUTTONDOWN, "down right 2 " + at},
      {WM_RBUTTONUP, "up right 2 " + at},
      {WM_RBUTTONDBLCLK, "dbl right 0 0,0"},
      {WM_MBUTTONDOWN, "down middle 4 " + at},
      {WM_MBUTTONUP, "up middle 4 " + at},
      {WM_MBUTTONDBLCLK, ""},
      {WM_KEYDOWN, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    events.clear();
    Notify(1, c.message);
    EXPECT_EQ(events, c.event.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.event});
  }
  events.clear();
  Notify(2, WM_LBUTTONDOWN);  // no component has ID 2
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(owner_.MenuClosed().empty()) << "no menu assigned, none shown";
  EXPECT_EQ(GetForegroundWindow(), owner_.window) << "a button press brings the owner forward";
}

// Plays the user's part while a tray menu is open, from a thread timer that
// the menu's own loop runs.
struct MenuWatch {
  static inline MenuWatch* active = nullptr;
  std::function<void()> whileOpen;
  bool ran = false;
  UINT_PTR timer = 0;
  explicit MenuWatch(std::function<void()> f) : whileOpen(std::move(f)) {
    active = this;
    timer = SetTimer(nullptr, 0, 100, &Tick);
  }
  ~MenuWatch() {
    KillTimer(nullptr, timer);
    active = nullptr;
  }
  // Every menu that opens is closed at the next tick, a nested one too.
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (active == nullptr) return;
    const HWND menu = FindWindowA("#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) return;
    if (!active->ran) {
      active->ran = true;
      active->whileOpen();
    }
    EndMenu();
  }
};

TEST_F(TrayIcon, EachButtonShowsItsMenuAtTheCursorAndDropsNotificationsWhileItIsOpen) {
  auto tray = RegisteredTray();
  TPopupMenu left(CreatePopupMenu(), owner_.window);
  TPopupMenu right(CreatePopupMenu(), owner_.window);
  AppendMenuA(left.Handle(), MF_STRING, 101, "left item");
  AppendMenuA(right.Handle(), MF_STRING, 201, "right item");
  std::vector<std::string> opened;
  left.OnPopup = [&] { opened.push_back("left"); };
  right.OnPopup = [&] { opened.push_back("right"); };
  tray->SetPopupMenuL(&left);
  tray->SetPopupMenuR(&right);
  int downs = 0;
  tray->OnMouseDown = [&](TTaskTray&, TrayButton, TShiftState, int, int) {
    ++downs;
    EXPECT_TRUE(opened.size() < static_cast<std::size_t>(downs)) << "OnMouseDown comes before the menu";
  };

  ASSERT_TRUE(SetCursorPos(200, 180));
  POINT cursor{};
  GetCursorPos(&cursor);
  struct Case {
    UINT message;
    const char* menu;
    std::pair<WPARAM, LPARAM> closed;
  };
  for (const Case& c : {Case{WM_LBUTTONDOWN, "left", {1, 0}}, Case{WM_RBUTTONDOWN, "right", {0, 1}}}) {
    SCOPED_TRACE(c.menu);
    opened.clear();
    owner_.menuClosed.clear();
    downs = 0;
    RECT menuRect{};
    bool busy = false;
    MenuWatch watch([&] {
      GetWindowRect(FindWindowA("#32768", nullptr), &menuRect);
      busy = TTaskTray::Busy();
      // Another press while the menu is open is dropped, not queued.
      Notify(1, WM_RBUTTONDOWN);
      Notify(1, WM_LBUTTONDOWN);
    });
    Notify(1, c.message);
    EXPECT_TRUE(watch.ran) << "no menu was shown";
    EXPECT_EQ(opened, std::vector<std::string>{c.menu});
    EXPECT_EQ(downs, 1);
    EXPECT_TRUE(busy);
    EXPECT_FALSE(TTaskTray::Busy());
    EXPECT_EQ(menuRect.left, cursor.x);
    EXPECT_EQ(menuRect.top, cursor.y);
    EXPECT_EQ(owner_.MenuClosed(), (std::vector<std::pair<WPARAM, LPARAM>>{c.closed}));
  }

  // The middle button shows none.
  opened.clear();
  owner_.menuClosed.clear();
  Notify(1, WM_MBUTTONDOWN);
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(owner_.MenuClosed().empty());
}

TEST_F(TrayIcon, AMenuThatIsDestroyedIsForgottenByEveryReferenceToIt) {
  auto tray = MakeTray();
  auto shared = std::make_unique<TPopupMenu>(CreatePopupMenu(), owner_.window);
  TPopupMenu other(CreatePopupMenu(), owner_.window);
  tray->SetPopupMenuL(shared.get());
  tray->SetPopupMenuR(shared.get());
  shared.reset();
  EXPECT_EQ(tray->PopupMenuL(), nullptr);
  EXPECT_EQ(tray->PopupMenuR(), nullptr);

  shared = std::make_unique<TPopupMenu>(CreatePopupMenu(), owner_.window);
  tray->SetPopupMenuL(shared.get());
  tray->SetPopupMenuR(shared.get());
  tray->SetPopupMenuL(&other);  // the right button keeps the first menu
  shared.reset();
  EXPECT_EQ(tray->PopupMenuL(), &other);
  EXPECT_EQ(tray->PopupMenuR(), nullptr);

  // A component that goes first leaves nothing behind in the menu.
  tray.reset();
}

TEST_F(TrayIcon, AHandlerThatThrowsIsShownAndTheNextNotificationIsDispatched) {
  auto tray = RegisteredTray();
  int ups = 0;
  tray->OnMouseUp = [&](TTaskTray&, TrayButton, TShiftState, int, int) {
    if (++ups == 1) throw std::runtime_error("handler failed");
  };
  Notify(1, WM_LBUTTONUP);
  EXPECT_EQ(ErrorsShown, std::vector<std::string>{"handler failed"});
  EXPECT_FALSE(TTaskTray::Busy());
  Notify(1, WM_LBUTTONUP);
  EXPECT_EQ(ups, 2);
}

TEST_F(TrayIcon, AShellRestartPutsBackEveryIconThatIsToBeInTheTrayOnce) {
  auto kept = RegisteredTray();       // the shell still has it
  auto lost = RegisteredTray();       // the shell forgot it
  auto refused = MakeTray();          // the shell refused its add earlier
  auto unregistered = MakeTray();
  refused->SetIcon(icon_);
  shell_.refuse = {NIM_ADD};
  EXPECT_EQ(ErrorOf([&] { refused->SetRegistered(true); }), kTrayRefused);
  unregistered->SetIcon(icon_);

  shell_.calls.clear();
  shell_.refuse = {NIM_MODIFY};
  shell_.refuseIds = {static_cast<UINT>(lost->IconID())};
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  SendMessageA(TTaskTray::NotifyWindow(), taskbarCreated, 0, 0);

  std::vector<std::pair<DWORD, UINT>> sent;
  for (const ShellCall& c : shell_.calls) sent.emplace_back(c.message, c.data.uID);
  const UINT k = kept->IconID(), l = lost->IconID(), r = refused->IconID();
  EXPECT_EQ(sent, (std::vector<std::pair<DWORD, UINT>>{{NIM_MODIFY, k}, {NIM_MODIFY, l}, {NIM_ADD, l}, {NIM_ADD, r}}));
  for (const ShellCall& c : shell_.calls) {
    EXPECT_EQ(c.data.cbSize, NOTIFYICONDATAA_V1_SIZE);
    EXPECT_EQ(c.data.hWnd, TTaskTray::NotifyWindow());
  }
  EXPECT_TRUE(lost->IconAdded());
  EXPECT_TRUE(refused->IconAdded());
  EXPECT_FALSE(unregistered->Registered());
}

TEST_F(TrayIcon, TheNotifyWindowGoesWithItsOwnerAndTheNextAddMakesANewOne) {
  auto first = std::make_unique<OwnerForm>();
  auto tray = std::make_unique<TTaskTray>(first->window, shell_.Function());
  tray->SetIcon(icon_);
  tray->SetRegistered(true);
  const HWND notify = TTaskTray::NotifyWindow();
  ASSERT_NE(notify, nullptr);
  EXPECT_EQ(GetWindow(notify, GW_OWNER), first->window);
  tray->SetRegistered(false);
  EXPECT_EQ(TTaskTray::NotifyWindow(), notify) << "the window outlives the icon";
  tray.reset();
  first.reset();
  EXPECT_EQ(TTaskTray::NotifyWindow(), nullptr);
  EXPECT_FALSE(IsWindow(notify));

  auto later = RegisteredTray();
  ASSERT_NE(TTaskTray::NotifyWindow(), nullptr);
  EXPECT_EQ(GetWindow(TTaskTray::NotifyWindow(), GW_OWNER), owner_.window);
  EXPECT_EQ(shell_.calls.back().data.hWnd, TTaskTray::NotifyWindow());
}

}  // namespace
