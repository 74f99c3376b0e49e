// "TMailWnd", titled "メールを書く": the host's mail-writing window. Its
// direct children, in order: a panel holding the recipients edit, a second
// edit (the copy recipients), the subject edit (the third direct child),
// and the body memo. Like the host's forms it gives the focus back to the
// control that had it when it is activated again. It is built at once, its
// title last, or in the host's own order: title first, fields and showing
// later (MailWindowBuild).
#pragma once

#include "tools/standin-host/HostWindow.h"
#include "tools/standin-host/MailScenario.h"

namespace standin {

class MailWindow : public HostWindow {
 public:
  // Creates the window owned by `application` and builds it as `build`
  // says; null when it cannot be made. The log names it and its fields as
  // the fields are made:
  //   mailwindow <window> to <edit> cc <edit> subject <edit> body <memo>
  static HWND Create(WindowOwner& owner, HWND application, const MailWindowBuild& build = {});

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  using HostWindow::HostWindow;

  void MakeFields(HWND window);

  HWND focus_ = nullptr;
};

}  // namespace standin
