// The agent's start: the single-instance guard, the forms in their order,
// the message loop, and the end.
#include <windows.h>
#include <objbase.h>

#include <cstdlib>

#include "agent/FriendDialog_win.h"
#include "agent/MainForm_win.h"
#include "agent/SingleInstance_win.h"
#include "agent/BannerWindow_win.h"
#include "agent/resource.h"
#include "base/Handles_win.h"
#include "base/RoutedWindow_win.h"
#include "toolbox/ShellUtils_win.h"

namespace {

// The error box of the whole agent: an error that escapes a handler is shown
// to the user and the agent goes on, as it would for any command that failed.
void ShowAgentError(const char* what) { ShowMessageBox(what, "Sorvik", MB_OK | MB_ICONERROR); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The command line is not read.
  ClaimSingleInstance();
  // A second copy ends at once and silently: no window, no message, nothing
  // written.
  if (IsSecondInstance()) return 0;
  SetErrorBox(ShowAgentError);
  // The folder dialog and the shortcut of the start-up command use COM.
  const ComApartment com;
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SORVIK));
  auto mascot = static_cast<HBITMAP>(
      LoadImageA(instance, MAKEINTRESOURCEA(IDB_MASCOT), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));

  // The forms, in this order: the main form (hidden), the title window,
  // then the friend book's paste dialog.
  TSorvik mainForm;
  // The settings are loaded (and the settings file written back) before
  // any window exists.
  mainForm.LoadSettings();
  if (!mainForm.Create(icon, mascot)) return 1;
  TBannerWindow bannerWindow;
  if (!bannerWindow.Create(mascot)) return 1;
  mainForm.SetBannerWindow(&bannerWindow);
  TPasteFriend pasteFriend;
  if (!pasteFriend.Create(mascot)) return 1;
  mainForm.SetPasteFriend(&pasteFriend);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }

  // The settings are saved before the forms are destroyed, which happens in
  // the reverse order of their creation.
  mainForm.SaveSettings();
  mainForm.SetPasteFriend(nullptr);
  mainForm.SetBannerWindow(nullptr);
  return 0;
}

// An exception that nothing catches ends the agent (the window trampoline
// catches every one that leaves a handler, so this is a last resort). The
// library's own handler would print the exception's type to a console the
// agent does not have, and brings a demangler of some 40 KB along: this one
// only ends the program.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
