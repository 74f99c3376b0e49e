// "TPrintWnd", titled "印刷": the host's print preview of a mail. A panel
// with an empty title holds a "印刷" button, the rich edit with the mail's
// header text and the "ｷｬﾝｾﾙ" button, whose click closes the preview. Above
// it a panel with a caption holds a rich edit and a "ｷｬﾝｾﾙ" button of its
// own, which are not the preview's: a reader that takes any panel finds
// those first.
#pragma once

#include <string>

#include "tools/standin-host/HostWindow.h"

namespace standin {

class PrintWindow : public HostWindow {
 public:
  // Creates and shows the preview owned by `application`, showing
  // `headerText`; null when it cannot be made.
  static HWND Create(WindowOwner& owner, HWND application, const std::string& headerText);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  using HostWindow::HostWindow;

  HWND cancel_ = nullptr;
};

}  // namespace standin
