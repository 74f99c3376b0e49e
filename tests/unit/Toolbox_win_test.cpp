// The Win32 half of the toolbox, against real windows, files, the shell and
// COM under Wine.
#include "toolbox/ShellUtils_win.h"
#include "toolbox/Timeout.h"
#include "toolbox/WindowUtils_win.h"

#include <gtest/gtest.h>
#include <mmsystem.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/Handles_win.h"
#include "tests/support/Pump_win.h"
#include "tests/support/ScratchFolder_win.h"

namespace {

using Windows = std::vector<HWND>;

Windows ToWindows(const TIntegerList& list) {
  Windows windows;
  for (int i = 0; i < list.Count(); ++i) windows.push_back(ListValueToWindow(list.Get(i)));
  return windows;
}

using test_support::WaitUntil;

UniqueWindow MakeWindow(const char* title, DWORD style, HWND parent, int width = 50, int height = 20,
                        DWORD exStyle = 0) {
  HWND window = CreateWindowExA(exStyle, "STATIC", title, style, 0, 0, width, height, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(window, nullptr) << title;
  return UniqueWindow(window);
}

using test_support::ScratchFolder;

// ------------------------------------------------------------ ListChildWindows

// parent
//   c0 visible
//   c1 visible
//     g0 visible
//     g1 hidden
//   c2 hidden
//   c3 visible, disabled
class ChildWindowTree : public ::testing::Test {
 protected:
  void SetUp() override {
    parent = MakeWindow("tree", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 300, 200);
    c0 = MakeWindow("c0", WS_CHILD | WS_VISIBLE, parent.get());
    c1 = MakeWindow("c1", WS_CHILD | WS_VISIBLE, parent.get());
    g0 = MakeWindow("g0", WS_CHILD | WS_VISIBLE, c1.get());
    g1 = MakeWindow("g1", WS_CHILD, c1.get());
    c2 = MakeWindow("c2", WS_CHILD, parent.get());
    c3 = MakeWindow("c3", WS_CHILD | WS_VISIBLE | WS_DISABLED, parent.get());
  }

  Windows List(std::uint8_t flags) {
    TIntegerList list;
    list.Add(12345);  // the list is cleared first
    EXPECT_TRUE(ListChildWindows(parent.get(), list, flags)) << static_cast<int>(flags);
    return ToWindows(list);
  }

  UniqueWindow parent, c0, c1, g0, g1, c2, c3;
};

TEST_F(ChildWindowTree, DirectChildrenComeInTheSystemsOrder) {
  TIntegerList list;
  ASSERT_TRUE(ListChildWindows(parent.get(), list, cwDirectChildren));
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(ListValueToWindow(list.Get(2)), c2.get());  // entry 2 is the third direct child
  Windows order;
  for (HWND w = GetWindow(parent.get(), GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) order.push_back(w);
  EXPECT_EQ(ToWindows(list), order);
}

TEST_F(ChildWindowTree, EachFlagFiltersWhatItNames) {
  struct Case { std::uint8_t flags; Windows expected; };
  const Case cases[] = {
      {0, {c0.get(), c1.get(), g0.get(), g1.get(), c2.get(), c3.get()}},
      {cwParentFirst, {parent.get(), c0.get(), c1.get(), g0.get(), g1.get(), c2.get(), c3.get()}},
      {cwDirectChildren, {c0.get(), c1.get(), c2.get(), c3.get()}},
      {cwNoParent, {}},
      {cwVisible, {c0.get(), c1.get(), g0.get(), c3.get()}},
      {cwEnabled, {c0.get(), c1.get(), g0.get(), g1.get(), c2.get()}},
      {cwDirectChildren | cwVisible | cwEnabled, {c0.get(), c1.get()}},
      {cwParentFirst | cwNoParent, {parent.get()}},
  };
  for (const Case& c : cases) EXPECT_EQ(List(c.flags), c.expected) << "flags " << static_cast<int>(c.flags);
}

TEST_F(ChildWindowTree, TheParentFirstIsNotFiltered) {
  EnableWindow(parent.get(), FALSE);
  ShowWindow(parent.get(), SW_HIDE);  // its children now count as invisible too
  EXPECT_EQ(List(cwParentFirst | cwVisible | cwEnabled), (Windows{parent.get()}));
  EXPECT_EQ(List(cwParentFirst | cwEnabled | cwDirectChildren),
            (Windows{parent.get(), c0.get(), c1.get(), c2.get()}));
}

TEST_F(ChildWindowTree, NoParentKeepsChildrenWithoutTheChildStyle) {
  // A window made a child by SetParent without WS_CHILD has no parent for
  // GetParent, but is enumerated among the descendants.
  UniqueWindow adopted = MakeWindow("adopted", WS_POPUP, nullptr);
  ASSERT_NE(SetParent(adopted.get(), parent.get()), nullptr);
  SetWindowLongPtrA(adopted.get(), GWL_STYLE, 0);
  ASSERT_EQ(GetParent(adopted.get()), nullptr);
  EXPECT_EQ(List(cwNoParent), (Windows{adopted.get()}));
  const Windows all = List(0);
  EXPECT_NE(std::find(all.begin(), all.end(), adopted.get()), all.end());
}

// --------------------------------------------------------- ListTopLevelWindows

TEST(ListTopLevelWindows, EachFlagFiltersWhatItNames) {
  const UniqueWindow a = MakeWindow("QuoA", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr);
  const UniqueWindow untitled = MakeWindow("", WS_POPUP | WS_VISIBLE, nullptr);
  const UniqueWindow owned = MakeWindow("QuoOwned", WS_POPUP | WS_VISIBLE, a.get());
  const UniqueWindow hidden = MakeWindow("QuoHidden", WS_POPUP, nullptr);
  const UniqueWindow disabled = MakeWindow("QuoDisabled", WS_POPUP | WS_VISIBLE | WS_DISABLED, nullptr);
  ASSERT_EQ(GetWindow(owned.get(), GW_OWNER), a.get());
  const Windows mine = {a.get(), untitled.get(), owned.get(), hidden.get(), disabled.get()};

  struct Case { std::uint8_t flags; Windows expected; };
  const Case cases[] = {
      {0, mine},
      {twHasText, {a.get(), owned.get(), hidden.get(), disabled.get()}},
      {twUnowned, {a.get(), untitled.get(), hidden.get(), disabled.get()}},
      {twVisible, {a.get(), untitled.get(), owned.get(), disabled.get()}},
      {twEnabled, {a.get(), untitled.get(), owned.get(), hidden.get()}},
      {twHasText | twUnowned | twVisible | twEnabled, {a.get()}},
  };
  for (const Case& c : cases) {
    TIntegerList list;
    list.Add(12345);
    ASSERT_TRUE(ListTopLevelWindows(list, c.flags));
    Windows listed;
    for (HWND w : ToWindows(list)) {
      if (std::find(mine.begin(), mine.end(), w) != mine.end()) listed.push_back(w);
    }
    std::sort(listed.begin(), listed.end());
    Windows expected = c.expected;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected) << "flags " << static_cast<int>(c.flags);
    EXPECT_NE(list.Count() > 0 ? list.Get(0) : 0, 12345);
  }
}

TEST(ListTopLevelWindows, WithoutFlagsListsEveryTopLevelWindowInTheSystemsOrder) {
  const UniqueWindow a = MakeWindow("QuoA", WS_POPUP, nullptr);
  TIntegerList list;
  ASSERT_TRUE(ListTopLevelWindows(list, 0));
  Windows order;
  for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    order.push_back(w);
  }
  EXPECT_EQ(ToWindows(list), order);
}

// ------------------------------------------------------ window size and texts

TEST(GetWindowSize, IsTheSizeOfTheWindowRectangle) {
  const UniqueWindow parent = MakeWindow("size", WS_OVERLAPPEDWINDOW, nullptr, 400, 300);
  const UniqueWindow child = MakeWindow("child", WS_CHILD, parent.get(), 123, 45);
  const WindowSize size = GetWindowSize(child.get());
  EXPECT_EQ(size.width, 123);
  EXPECT_EQ(size.height, 45);

  const WindowSize screen = GetWindowSize(GetDesktopWindow());
  EXPECT_EQ(screen.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(screen.height, GetSystemMetrics(SM_CYSCREEN));

  HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  const WindowSize none = GetWindowSize(gone);
  EXPECT_EQ(none.width, 0);
  EXPECT_EQ(none.height, 0);
}

TEST(GetWindowTextString, ReadsAtMost254Bytes) {
  struct Case { std::string title; std::string expected; };
  const Case cases[] = {
      {"", ""},
      {"Mochiru for Windows ver. 2.0", "Mochiru for Windows ver. 2.0"},
      {"メールを書く", "メールを書く"},
      {std::string(254, 'x'), std::string(254, 'x')},
      {std::string(300, 'x'), std::string(254, 'x')},
  };
  for (const Case& c : cases) {
    const UniqueWindow window = MakeWindow(c.title.c_str(), WS_POPUP, nullptr);
    EXPECT_EQ(GetWindowTextString(window.get()), c.expected) << c.title.size();
  }
}

TEST(GetClassNameString, ReadsAtMost254Bytes) {
  const UniqueWindow edit(CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(GetClassNameString(edit.get()), "Edit");

  const std::string longName(255, 'Q');
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = longName.c_str();
  ASSERT_NE(RegisterClassA(&wc), 0);
  const UniqueWindow window(CreateWindowExA(0, longName.c_str(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                            wc.hInstance, nullptr));
  ASSERT_NE(window.get(), nullptr);
  EXPECT_EQ(GetClassNameString(window.get()), std::string(254, 'Q'));
  EXPECT_EQ(GetClassNameString(nullptr), "");
}

TEST(ControlText, AsksTheControlForWhatItHoldsAndCutsAtTheLimit) {
  const UniqueWindow edit(CreateWindowExA(0, "EDIT", "created with", WS_POPUP | ES_MULTILINE, 0, 0, 100, 50,
                                          nullptr, nullptr, nullptr, nullptr));
  ASSERT_NE(edit.get(), nullptr);
  const std::string typed = "a@example.com, 表ソ\r\n2行目";
  SendMessageA(edit.get(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  EXPECT_EQ(ControlTextLength(edit.get()), static_cast<int>(typed.size()));
  EXPECT_EQ(ControlText(edit.get(), 10000), typed);
  EXPECT_EQ(ControlText(edit.get(), 5), typed.substr(0, 5));
  EXPECT_EQ(ControlText(edit.get(), 0), "");
  EXPECT_EQ(ControlTextLength(nullptr), 0);
  EXPECT_EQ(ControlText(nullptr, 10), "");
}

// ------------------------------------------------------------- FileMatchExists

TEST(FileMatchExists, MatchesFilesButNeitherFoldersNorMissingPaths) {
  ScratchFolder scratch;
  const std::string dir = scratch.Path() + "\\";
  scratch.File("a.txt");
  scratch.File("hidden.dat", FILE_ATTRIBUTE_HIDDEN);
  scratch.File("sys.bin", FILE_ATTRIBUTE_SYSTEM);
  scratch.File("ro.cfg", FILE_ATTRIBUTE_READONLY);
  scratch.Folder("sub");
  scratch.Folder("only.dir");
  scratch.File("おともだち帳");
  scratch.Folder("添付");
  struct Case { std::string path; bool exists; };
  const Case cases[] = {
      {dir + "a.txt", true},
      {dir + "*.txt", true},
      {dir + "?.txt", true},
      {dir + "*.dat", true},       // hidden
      {dir + "sys.bin", true},     // system
      {dir + "ro.cfg", true},      // read-only
      {dir + "*", true},
      {dir + "おともだち帳", true},
      {dir + "おともだち*", true},
      {dir + "添付", false},        // a folder with a Japanese name
      {dir + "b.txt", false},
      {dir + "*.none", false},
      {dir + "sub", false},        // the path of a folder
      {dir + "*.dir", false},      // matches a folder only
      {dir + "su*", false},
      {dir.substr(0, dir.size() - 1), false},
      {dir, false},
      {dir + "missing\\a.txt", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(FileMatchExists(c.path), c.exists) << c.path;
}

// ---------------------------------------------------------- CreateShortcutFile

class ShortcutTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }

  struct Link {
    std::string path, arguments, workingDirectory, description;
  };
  static Link ReadLink(const std::string& file) {
    Link link;
    IShellLinkA* shellLink = nullptr;
    EXPECT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&shellLink))));
    if (shellLink == nullptr) return link;
    IPersistFile* persist = nullptr;
    shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    EXPECT_TRUE(persist != nullptr && SUCCEEDED(persist->Load(wide, STGM_READ))) << file;
    char buffer[MAX_PATH + 1] = {};
    shellLink->GetPath(buffer, sizeof buffer, nullptr, 0);
    link.path = buffer;
    buffer[0] = '\0';
    shellLink->GetArguments(buffer, sizeof buffer);
    link.arguments = buffer;
    buffer[0] = '\0';
    shellLink->GetWorkingDirectory(buffer, sizeof buffer);
    link.workingDirectory = buffer;
    buffer[0] = '\0';
    shellLink->GetDescription(buffer, sizeof buffer);
    link.description = buffer;
    if (persist != nullptr) persist->Release();
    shellLink->Release();
    return link;
  }

  ScratchFolder scratch;
};

TEST_F(ShortcutTest, AnEmptyWorkingDirectoryBecomesTheTargetsFolder) {
  const std::string target = scratch.File("app.exe");
  const std::string lnk = scratch / "app.lnk";
  EXPECT_FALSE(CreateShortcutFile(lnk, target, "/x 1", "", "説明"));  // false: saved
  ASSERT_NE(GetFileAttributesA(lnk.c_str()), INVALID_FILE_ATTRIBUTES);
  const Link link = ReadLink(lnk);
  EXPECT_EQ(link.workingDirectory, scratch.Path() + "\\");  // with its trailing backslash
  EXPECT_EQ(link.arguments, "/x 1");
  EXPECT_EQ(link.description, "説明");
  EXPECT_EQ(link.path, target);
}

// The folder part is taken by characters: ソ ends in 0x5C and must not end
// the folder. The shortcut's own name is the one the agent uses.
TEST_F(ShortcutTest, TheTargetsFolderIsCutByCharacters) {
  const std::string folder = scratch.Folder("ソフト");
  const std::string target = folder + "\\表ソ.exe";
  scratch.File("ソフト\\表ソ.exe");
  const std::string lnk = scratch / "Sorvikへのショートカット.lnk";
  EXPECT_FALSE(CreateShortcutFile(lnk, target, "", "", ""));
  ASSERT_NE(GetFileAttributesA(lnk.c_str()), INVALID_FILE_ATTRIBUTES);
  const Link link = ReadLink(lnk);
  EXPECT_EQ(link.workingDirectory, folder + "\\");
  EXPECT_EQ(link.path, target);
}

TEST_F(ShortcutTest, AGivenWorkingDirectoryIsKept) {
  const std::string target = scratch.File("app.exe");
  const std::string work = scratch.Folder("work");
  const std::string lnk = scratch / "app.lnk";
  EXPECT_FALSE(CreateShortcutFile(lnk, target, "", work, ""));
  EXPECT_EQ(ReadLink(lnk).workingDirectory, work);
}

TEST_F(ShortcutTest, ReturnsTrueWhenTheShortcutCannotBeSaved) {
  const std::string target = scratch.File("app.exe");
  const std::string lnk = scratch / "missing\\app.lnk";
  EXPECT_TRUE(CreateShortcutFile(lnk, target, "", "", ""));
  EXPECT_EQ(GetFileAttributesA(lnk.c_str()), INVALID_FILE_ATTRIBUTES);
}

struct ShortcutOutcome {
  bool threw = false;
  std::string message;
};

DWORD WINAPI CreateShortcutWithoutCom(void* context) {
  auto* outcome = static_cast<ShortcutOutcome*>(context);
  try {
    CreateShortcutFile("C:\\x.lnk", "C:\\x.exe", "", "", "");
  } catch (const ShellLinkError& e) {
    outcome->threw = true;
    outcome->message = e.what();
  }
  return 0;
}

TEST(CreateShortcutFile, ThrowsWhenTheThreadHasNotInitialisedCom) {
  ShortcutOutcome outcome;
  HANDLE thread = CreateThread(nullptr, 0, CreateShortcutWithoutCom, &outcome, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
  CloseHandle(thread);
  EXPECT_TRUE(outcome.threw);
  EXPECT_NE(outcome.message.find("shell link object"), std::string::npos) << outcome.message;
}

// -------------------------------------------------------- GetSpecialFolderPath

TEST(GetSpecialFolderPath, GivesTheFoldersPathOrNothing) {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  struct Case { int csidl; bool found; std::string path; };
  const Case cases[] = {
      {CSIDL_WINDOWS, true, windows},
      {CSIDL_SYSTEM, true, system},
      {0x7F, false, ""},  // no such folder
  };
  for (const Case& c : cases) {
    std::string path = "stale";
    EXPECT_EQ(GetSpecialFolderPath(c.csidl, path), c.found) << c.csidl;
    EXPECT_STRCASEEQ(path.c_str(), c.path.c_str()) << c.csidl;
  }
}

// ------------------------------------------------------------ ShowMessageBox

struct BoxCall {
  std::string text, caption;
  UINT flags;
  int result = 0;
};

DWORD WINAPI ShowBoxThread(void* context) {
  auto* call = static_cast<BoxCall*>(context);
  call->result = ShowMessageBox(call->text, call->caption, call->flags);
  return 0;
}

BOOL CALLBACK TakeFirstWindow(HWND window, LPARAM context) {
  *reinterpret_cast<HWND*>(context) = window;
  return FALSE;
}

TEST(ShowMessageBox, ShowsTextAndCaptionAndReturnsTheButton) {
  // An empty caption must give an empty title bar, not the system's "Error".
  for (const std::string caption : {"", "確認"}) {
    BoxCall call{"メールヘッダー取得に失敗しました", caption, MB_YESNO};
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, ShowBoxThread, &call, 0, &threadId);
    ASSERT_NE(thread, nullptr);
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
      EnumThreadWindows(threadId, TakeFirstWindow, reinterpret_cast<LPARAM>(&box));
      return box != nullptr && IsWindowVisible(box);
    }, 10000));
    if (box != nullptr) {
      EXPECT_EQ(GetWindowTextString(box), caption);
      TIntegerList children;
      ListChildWindows(box, children, cwDirectChildren);
      bool textShown = false;
      for (HWND child : ToWindows(children)) textShown = textShown || GetWindowTextString(child) == call.text;
      EXPECT_TRUE(textShown);
      PostMessageA(box, WM_COMMAND, IDNO, 0);
    }
    EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(call.result, IDNO) << caption;
  }
}

// ---------------------------------------------------------------- ShellOpen

TEST(ShellOpen, OpensWithParametersAndReportsFailure) {
  ScratchFolder scratch;
  const std::string out = scratch / "normal.txt";
  EXPECT_TRUE(ShellOpen("cmd.exe", "/c echo done> \"" + out + "\""));
  EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesA(out.c_str()) != INVALID_FILE_ATTRIBUTES; }, 15000));
  EXPECT_FALSE(ShellOpen(scratch / "missing.exe", ""));
  // Let cmd finish writing before the folder goes.
  Sleep(500);
}

// ------------------------------------------------------ the timeout's clock

TEST(Timeout, TheSystemClockIsTheMultimediaCounter) {
  SetTimeoutClock(nullptr);
  const DWORD before = timeGetTime();
  const std::uint32_t now = SystemMilliseconds();
  EXPECT_LE(now - before, 1000u);
  StartTimeout(300);
  EXPECT_FALSE(TimedOut());
  EXPECT_TRUE(WaitUntil(TimedOut, 5000));
  EXPECT_GT(timeGetTime() - before, 300u);
}

}  // namespace
