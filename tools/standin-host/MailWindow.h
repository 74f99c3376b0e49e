// "TMailWnd", titled "メールを書く": the host's mail-writing window. Its
// direct children, in order: a panel holding the recipients edit, a second
// edit (the copy recipients), the subject edit (the third direct child),
// and the body memo. Like the host's forms it gives the focus back to the
// control that had it when it is activated again.
#pragma once

#include "tools/standin-host/HostWindow.h"

namespace standin {

class MailWindow : public HostWindow {
 public:
  // Creates and shows the window owned by `application`; null when it
  // cannot be made. The log names it and its fields:
  //   mailwindow <window> to <edit> cc <edit> subject <edit> body <memo>
  static HWND Create(WindowOwner& owner, HWND application);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  using HostWindow::HostWindow;

  HWND focus_ = nullptr;
};

}  // namespace standin
