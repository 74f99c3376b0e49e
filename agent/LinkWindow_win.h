// The link window: the main form shown next to the mouse with the links of
// a line the user double-clicked in the host.
#pragma once

class TSorvik;

class TLinkWindow {
 public:
  explicit TLinkWindow(TSorvik& form) : form_(form) {}

  // "やめとく": hides the window.
  void PanelCancelClick();

 private:
  TSorvik& form_;
};
