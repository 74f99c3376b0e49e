#include "agent/LinkWindow_win.h"

#include "agent/MainForm_win.h"

void TLinkWindow::PanelCancelClick() { ShowWindow(form_.Handle(), SW_HIDE); }
