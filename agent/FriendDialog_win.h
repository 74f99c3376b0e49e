// The friend book's paste dialog, "おともだち達帳": created hidden at start,
// shown modally by the mail commands. Each show reads the host's friend book
// anew and lists its friends in three columns (pet, owner, mail address)
// under a header; the OK panel puts the chosen friends' addresses on the
// clipboard, asking first when the text is longer than the host's
// recipients field takes. The decisions are in FriendBook.h.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "agent/Controls_win.h"
#include "agent/FriendBook.h"
#include "base/Handles_win.h"
#include "base/RoutedWindow_win.h"

inline constexpr char PASTE_FRIEND_CLASS[] = "TPasteFriend";

// What a modal show ends with.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TPasteFriend : public MessageHandler {
 public:
  TPasteFriend() = default;
  TPasteFriend(const TPasteFriend&) = delete;
  TPasteFriend& operator=(const TPasteFriend&) = delete;
  ~TPasteFriend() override;

  // Creates the hidden dialog and runs FormCreate. False when the window
  // cannot be made.
  bool Create(HBITMAP mascot);
  HWND Handle() const { return window_; }

  // Loads the friend book at `friendBookPath`, shows the dialog and waits until OK or cancel
  // closes it; the foreground goes back to the window that had it. mrOk:
  // the clipboard holds the chosen addresses. mrCancel: the clipboard is as
  // it was. A dialog that is already up is brought to the front and this
  // call gives mrCancel.
  int ShowModal(const std::string& friendBookPath);

  // The questions about long texts; message boxes unless replaced.
  FriendPrompt Prompt;

  // The friends listed, one per list item.
  TOtomodatiRecList FriendList;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormCreate();
  void FormDestroy();
  void FormShow(const std::string& path);
  void ListBox1DrawItem(const DRAWITEMSTRUCT& item);
  void ListBox1KeyDown(WPARAM key);
  void HeaderControl1DrawSection(const DRAWITEMSTRUCT& item);
  void HeaderControl1SectionResize();
  void Panel2Click();

  // Empties the record list and the list box together.
  void ClearFriends();
  void LayOut();
  int SectionWidth(int section) const;
  void SetSectionWidth(int section, int width);

  HWND window_ = nullptr;
  HWND HeaderControl1 = nullptr;
  HWND ListBox1 = nullptr;
  TPaintedControl Panel1, Image1, Panel2, Label1, Label2;
  int modalResult_ = mrNone;
  bool showing_ = false;

  UniqueGdiObject formFont_;
  UniqueGdiObject listFont_;
  UniqueGdiObject formBrush_;
  UniqueGdiObject listBrush_;
  UniqueGdiObject sectionBrush_;
  std::array<std::string, 3> sectionTexts_;
};
