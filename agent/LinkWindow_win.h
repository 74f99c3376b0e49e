// The link window: the main form shown next to the mouse with the links of
// a line the user double-clicked in the host, or with the attachment file or
// folder of the host's notice; a double click on an entry opens it.
#pragma once

#include "agent/LinkWindow.h"

class TSorvik;

class TLinkWindow {
 public:
  explicit TLinkWindow(TSorvik& form) : form_(form) {}

  // The clipboard changed: while the agent waits for a line it asked the
  // host to copy, the copied text is taken (UM_CLIPTEXT is posted).
  void ClipboardChanged();
  // UM_CLIPTEXT: after 500 ms (the host's thread keeps being answered),
  // reads the clipboard, fills the list and shows the window at the mouse.
  void WMClipText();
  // "やめとく": hides the window.
  void PanelCancelClick();
  // A double click in the list acts on the selected entry, if any.
  void ListBox1DblClick();
  void PanelJumpClick();

 private:
  void ShowAtMouse();

  TSorvik& form_;
};
