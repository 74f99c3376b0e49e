// The agent's main form, window class TSorvik: hidden at start, it receives
// every private message from the hook library and from the agent itself,
// runs the 2000 ms host watch, and doubles as the link window that pops up
// next to the mouse.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "agent/Controls_win.h"
#include "hostaccess/ComMem_win.h"
#include "hostaccess/Mochiruconst.h"
#include "hostaccess/WindowClass_win.h"

class TFormTitle;

enum TListMode : int { lmLinks = 0, lmAttachment = 1, lmFolder = 2 };

class TSorvik : public MessageHandler {
 public:
  TSorvik() = default;
  TSorvik(const TSorvik&) = delete;
  TSorvik& operator=(const TSorvik&) = delete;
  ~TSorvik() override;

  // Creates the hidden window and its controls, then runs FormCreate.
  bool Create(HICON icon, HBITMAP mascot);
  // The title window, created after this form.
  void SetTitleForm(TFormTitle* title) { FormTitle = title; }
  HWND Handle() const { return window_; }

  // Shows the title window topmost without activating it.
  void ShowTitleBanner();

  // Called when Windows ends the session, before it may end the process.
  std::function<void()> OnEndSession;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // The form's state, in the order the other modules know it.
  std::unique_ptr<TCommonMemoryStream> SharedBlock;
  std::array<HWND, HostWindowKindCount> HostWindows{};
  HWND GiveButton = nullptr;
  HWND PutButton = nullptr;
  bool CopyRequested = false;
  bool HostAttached = false;
  bool TitleShowing = false;
  TListMode ListMode = lmLinks;
  std::vector<std::string> MailHeader;
  HWND PrintCancelButton = nullptr;

 private:
  LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void FormCreate();
  void FormDestroy();
  void TimerWatchWndTimer();
  void WMHostWindowShown(WPARAM wParam, LPARAM lParam);
  void WMHostWindowClosed(WPARAM wParam, LPARAM lParam);
  void Attach(HWND application);
  void Detach();
  void PanelCancelClick();

  HWND window_ = nullptr;
  TFormTitle* FormTitle = nullptr;
  HFONT font_ = nullptr;
  HBRUSH listBrush_ = nullptr;
  HBRUSH formBrush_ = nullptr;
  HWND ListBox1 = nullptr;
  TPaintedControl Panel1, Image1, Label1, Label2, Panel3;
};
