// The agent's start: the single-instance guard, the forms in their order,
// the message loop, and the end.
#include <windows.h>

#include "agent/QuoDual_win.h"
#include "agent/SorvikMain_win.h"
#include "agent/SorvikTitle_win.h"
#include "agent/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The command line is not read.
  InitDualExecCheck();
  // A second copy ends at once and silently: no window, no message, nothing
  // written.
  if (IsDualExec()) return 0;

  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SORVIK));
  auto mascot = static_cast<HBITMAP>(
      LoadImageA(instance, MAKEINTRESOURCEA(IDB_MASCOT), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));

  // The forms, in this order: the main form (hidden), then the title window.
  TSorvik mainForm;
  if (!mainForm.Create(icon, mascot)) return 1;
  TFormTitle formTitle;
  if (!formTitle.Create(mascot)) return 1;
  mainForm.SetTitleForm(&formTitle);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }

  // The forms are destroyed in the reverse order of their creation.
  mainForm.SetTitleForm(nullptr);
  return 0;
}
