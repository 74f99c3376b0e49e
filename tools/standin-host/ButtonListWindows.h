// "TOyatsuWnd" and "TOmochaWnd": host windows with a list ("TMochiruListBox")
// of a few items and, in a "TPanel" without title, a "TButton" captioned
// "あげる" (TOyatsuWnd) or "置く" (TOmochaWnd).
#pragma once

#include "tools/standin-host/HostWindow.h"

namespace standin {

class ButtonListWindow : public HostWindow {
 public:
  // Creates the window of `cls` owned by `application` and shows it; null
  // for a class that is neither of the two, or when it cannot be made.
  static ButtonListWindow* Create(WindowOwner& owner, HWND application, const std::string& cls);

  HWND panel = nullptr;
  HWND button = nullptr;
  HWND list = nullptr;

 private:
  using HostWindow::HostWindow;
};

}  // namespace standin
