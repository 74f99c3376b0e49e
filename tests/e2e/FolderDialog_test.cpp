// The folder browse dialog as the shell shows it: where it and its parts go,
// what OK and Cancel give, and the selection while it is open. The dialog is
// modal on the test's thread; a thread timer finds it there and plays the
// user's part, step by step.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "agent/AgentSettings_win.h"
#include "components/FolderDialog_win.h"
#include "tests/e2e/E2eSupport.h"

namespace {

// The visible dialog of this thread, if one is open.
HWND FindOpenDialog() {
  struct Search {
    HWND found = nullptr;
  } search;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM context) CALLBACK -> BOOL {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
        reinterpret_cast<Search*>(context)->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Plays `steps` against the dialog that opens on this thread, one tick
// (50 ms) after another; a step returns true when it is done. When a step is
// still not done after `timeoutMs`, the test fails and the dialog is
// cancelled so that the test goes on.
class DialogScript {
 public:
  using Step = std::function<bool(HWND dialog)>;
  explicit DialogScript(std::vector<Step> steps, DWORD timeoutMs = 20000)
      : steps_(std::move(steps)), timeoutMs_(timeoutMs), start_(GetTickCount()) {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, 50, &Tick);
  }
  ~DialogScript() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }
  bool Done() const { return next_ == steps_.size(); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (active_ != nullptr) active_->Run();
  }
  void Run() {
    if (Done() || running_) return;
    running_ = true;  // a step that pumps messages must not re-enter
    const HWND dialog = FindOpenDialog();
    if (dialog != nullptr && steps_[next_](dialog)) ++next_;
    if (!Done() && GetTickCount() - start_ > timeoutMs_) {
      ADD_FAILURE() << "step " << next_ << " of the dialog script did not finish";
      next_ = steps_.size();
      if (dialog != nullptr) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    running_ = false;
  }

  static inline DialogScript* active_ = nullptr;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  DWORD timeoutMs_;
  DWORD start_;
  UINT_PTR timer_ = 0;
  bool running_ = false;
};

DialogScript::Step Press(int buttonId) {
  return [buttonId](HWND dialog) {
    PostMessageA(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
    return true;
  };
}

HWND TreeOf(HWND dialog) { return FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr); }

// A part's rectangle in the dialog's client coordinates.
TDlgRect ClientRect(HWND dialog, HWND part) {
  RECT r{};
  GetWindowRect(part, &r);
  POINT topLeft{r.left, r.top};
  ScreenToClient(dialog, &topLeft);
  return {topLeft.x, topLeft.y, r.right - r.left, r.bottom - r.top};
}

struct DialogGeometry {
  TDlgRect dialog, tree, ok, cancel;
};

DialogGeometry Capture(HWND dialog) {
  RECT r{};
  GetWindowRect(dialog, &r);
  return {{r.left, r.top, r.right - r.left, r.bottom - r.top},
          ClientRect(dialog, TreeOf(dialog)),
          ClientRect(dialog, GetDlgItem(dialog, IDOK)),
          ClientRect(dialog, GetDlgItem(dialog, IDCANCEL))};
}

std::string Describe(const TDlgRect& r) {
  return std::to_string(r.X) + "," + std::to_string(r.Y) + " " + std::to_string(r.Width) + "x" +
         std::to_string(r.Height);
}

// The texts of the dialog's child windows.
std::vector<std::string> ChildTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char text[512] = {};
    GetWindowTextA(child, text, sizeof text);
    texts.emplace_back(text);
  }
  return texts;
}

bool HasChildText(HWND dialog, const std::string& text) {
  for (const std::string& t : ChildTexts(dialog)) {
    if (t == text) return true;
  }
  return false;
}

class FolderDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    char longTemp[MAX_PATH] = {};
    GetLongPathNameA(temp, longTemp, MAX_PATH);
    outer_ = std::string(longTemp) + "sorvik-browse";
    inner_ = outer_ + "\\inner";
    CreateDirectoryA(outer_.c_str(), nullptr);
    CreateDirectoryA(inner_.c_str(), nullptr);
    ASSERT_NE(GetFileAttributesA(inner_.c_str()), INVALID_FILE_ATTRIBUTES);
  }
  void TearDown() override {
    RemoveDirectoryA(inner_.c_str());
    RemoveDirectoryA(outer_.c_str());
    CoUninitialize();
  }

  // The geometry of the shell's own dialog, before anything moves it: the
  // agent's title and flags, no callback.
  static DialogGeometry ShellsOwnGeometry() {
    DialogGeometry geometry{};
    DialogScript script({[&](HWND dialog) {
                           geometry = Capture(dialog);
                           return true;
                         },
                         Press(IDCANCEL)});
    const std::string title = "添付書類が保存されているフォルダを選んでください";
    BROWSEINFOA info{};
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    EXPECT_EQ(chosen, nullptr);
    EXPECT_TRUE(script.Done());
    return geometry;
  }

  std::string outer_, inner_;
};

TEST_F(FolderDialogTest, DialogIsPlacedAndTreeAndButtonsFollowTheSizeDifference) {
  const DialogGeometry shell = ShellsOwnGeometry();
  ASSERT_GT(shell.tree.Width, 0);
  ASSERT_GT(shell.ok.Width, 0);
  ASSERT_GT(shell.cancel.Width, 0);

  // The tree grows, and the buttons move, by the difference of the requested
  // size from the shell's own.
  struct Case {
    const char* name;
    TDlgPlacement placement;  // Left, Top, Width, Height
    bool agentsChoice;        // through ChooseAttachFolder
  };
  const Case cases[] = {
      {"defaults", {0, 0, 374, 316}, false},
      {"narrower and shorter than the shell's own", {120, 80, 250, 300}, false},
      {"the agent's choice", {50, 50, 300, 500}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DialogGeometry seen{};
    bool titleShown = false;
    DialogScript script({[&](HWND dialog) {
                           seen = Capture(dialog);
                           titleShown = HasChildText(dialog, "添付書類が保存されているフォルダを選んでください");
                           if (c.agentsChoice) {
                             e2e::SaveEvidenceScreenshot("FolderDialog.agents-choice");
                           }
                           return true;
                         },
                         Press(IDCANCEL)});
    if (c.agentsChoice) {
      EXPECT_EQ(ChooseAttachFolder(), "");
    } else {
      TBrowseFolderBox box;
      box.Title = "添付書類が保存されているフォルダを選んでください";
      box.Options.Include(boStatusText);
      box.Left = c.placement.Left;
      box.Top = c.placement.Top;
      box.Width = c.placement.Width;
      box.Height = c.placement.Height;
      EXPECT_FALSE(box.Execute());
    }
    ASSERT_TRUE(script.Done());

    const int dx = c.placement.Width - shell.dialog.Width;
    const int dy = c.placement.Height - shell.dialog.Height;
    const TDlgRect dialog{c.placement.Left, c.placement.Top, c.placement.Width, c.placement.Height};
    const TDlgRect tree{shell.tree.X, shell.tree.Y, shell.tree.Width + dx, shell.tree.Height + dy};
    const TDlgRect ok{shell.ok.X + dx, shell.ok.Y + dy, shell.ok.Width, shell.ok.Height};
    const TDlgRect cancel{shell.cancel.X + dx, shell.cancel.Y + dy, shell.cancel.Width, shell.cancel.Height};
    EXPECT_EQ(seen.dialog, dialog) << Describe(seen.dialog) << " (shell's own: " << Describe(shell.dialog) << ")";
    EXPECT_EQ(seen.tree, tree) << Describe(seen.tree) << " (shell's own: " << Describe(shell.tree) << ")";
    EXPECT_EQ(seen.ok, ok) << Describe(seen.ok) << " (shell's own: " << Describe(shell.ok) << ")";
    EXPECT_EQ(seen.cancel, cancel) << Describe(seen.cancel) << " (shell's own: " << Describe(shell.cancel) << ")";
    EXPECT_TRUE(titleShown);
  }
}

TEST_F(FolderDialogTest, PartsFoundAreTheOpenDialogs) {
  TBrowseFolderBox box;
  HWND tree = nullptr, ok = nullptr, cancel = nullptr, dialog = nullptr;
  DialogScript script({[&](HWND open) {
                         dialog = open;
                         tree = TreeOf(open);
                         ok = GetDlgItem(open, IDOK);
                         cancel = GetDlgItem(open, IDCANCEL);
                         EXPECT_EQ(box.DialogHandle, open);
                         EXPECT_EQ(DlgControls[0].Handle, tree);
                         EXPECT_EQ(DlgControls[1].Handle, ok);
                         EXPECT_EQ(DlgControls[2].Handle, cancel);
                         EXPECT_EQ(DlgControls[3].Handle, open);
                         return true;
                       },
                       Press(IDCANCEL)});
  EXPECT_FALSE(box.Execute());
  EXPECT_TRUE(script.Done());
  EXPECT_NE(tree, nullptr);
  EXPECT_EQ(box.DialogHandle, nullptr);
}

TEST_F(FolderDialogTest, OkGivesTheSelectedFolderAndCurrentPathFollowsTheSelection) {
  TBrowseFolderBox box;
  box.InitialFolder = inner_;
  box.Options.Include(boStatusText);
  box.Folder = "before";
  box.DisplayName = "before";
  DialogScript script({[&](HWND dialog) {
                         // Opened on the initial folder.
                         EXPECT_EQ(box.CurrentPath, inner_);
                         EXPECT_TRUE(HasChildText(dialog, inner_)) << "the status line shows the selection";
                         // The user selects the parent folder in the tree.
                         const HWND tree = TreeOf(dialog);
                         const auto selected = reinterpret_cast<HTREEITEM>(
                             SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
                         const auto parent = reinterpret_cast<HTREEITEM>(
                             SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(selected)));
                         EXPECT_NE(parent, nullptr);
                         SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(parent));
                         EXPECT_EQ(box.CurrentPath, outer_);
                         EXPECT_TRUE(HasChildText(dialog, outer_));
                         EXPECT_EQ(box.Folder, "before") << "Folder is only set on OK";
                         return true;
                       },
                       Press(IDOK)});
  EXPECT_TRUE(box.Execute());
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(box.Folder, outer_);
  // The shell's display name: the folder's name (Wine gives its whole path).
  EXPECT_TRUE(box.DisplayName.ends_with("sorvik-browse")) << box.DisplayName;
  EXPECT_EQ(box.DialogHandle, nullptr);
}

TEST_F(FolderDialogTest, CancelGivesFalseAndKeepsTheLastResult) {
  TBrowseFolderBox box;
  box.Folder = "C:\\chosen before";
  box.DisplayName = "chosen before";
  box.InitialFolder = inner_;
  DialogScript script({Press(IDCANCEL)});
  EXPECT_FALSE(box.Execute());
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(box.Folder, "C:\\chosen before");
  EXPECT_EQ(box.DisplayName, "chosen before");
  EXPECT_EQ(box.CurrentPath, inner_);
}

TEST_F(FolderDialogTest, AgentsChoiceGivesTheChosenFolderOrNothingOnCancel) {
  struct Case {
    int button;
    std::string expected;
  };
  for (const Case& c : {Case{IDOK, inner_}, Case{IDCANCEL, ""}}) {
    SCOPED_TRACE(c.button == IDOK ? "OK" : "Cancel");
    DialogScript script({[&](HWND dialog) {
                           // The user picks the folder in the tree; the
                           // status line shows the selection once the tree
                           // has taken it (asked again at the next tick).
                           SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(inner_.c_str()));
                           return HasChildText(dialog, inner_);
                         },
                         Press(c.button)});
    EXPECT_EQ(ChooseAttachFolder(), c.expected);
    EXPECT_TRUE(script.Done());
  }
}

TEST_F(FolderDialogTest, InitialFolderMissingOrEmptyKeepsTheDialogsOwnChoice) {
  // The dialog's own choice is its root, the desktop; an empty path must
  // not move the selection to a folder without a path.
  char desktop[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop)));
  for (const std::string& initial : {inner_ + "\\missing", std::string()}) {
    SCOPED_TRACE("InitialFolder \"" + initial + "\"");
    TBrowseFolderBox box;
    box.InitialFolder = initial;
    DialogScript script({Press(IDOK)});
    EXPECT_TRUE(box.Execute());
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(box.Folder, desktop);
  }
}

TEST_F(FolderDialogTest, DoubleClickInTheTreePressesOkOnlyWithDblClickOK) {
  for (const bool dblClickOK : {true, false}) {
    SCOPED_TRACE(dblClickOK ? "with boDblClickOK" : "without");
    TBrowseFolderBox box;
    box.InitialFolder = inner_;
    if (dblClickOK) box.Options.Include(boDblClickOK);
    DWORD clickedAt = 0;
    DialogScript script({[&](HWND dialog) {
                           // A double click on the selected item, as the mouse gives it.
                           const HWND tree = TreeOf(dialog);
                           // TVM_GETITEMRECT takes the item in the rectangle's place.
                           union {
                             RECT rect;
                             HTREEITEM handle;
                           } in{};
                           in.handle = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
                           RECT& item = in.rect;
                           EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item)));
                           const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
                           PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
                           PostMessageA(tree, WM_LBUTTONUP, 0, at);
                           PostMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
                           PostMessageA(tree, WM_LBUTTONUP, 0, at);
                           clickedAt = GetTickCount();
                           return true;
                         },
                         // Without the option the dialog stays open: the
                         // user then cancels.
                         [&](HWND) { return GetTickCount() - clickedAt > 1000; }, Press(IDCANCEL)});
    EXPECT_EQ(box.Execute(), dblClickOK);
    EXPECT_EQ(script.Done(), !dblClickOK);
    if (dblClickOK) {
      EXPECT_EQ(box.Folder, inner_);
    }
  }
}

}  // namespace
