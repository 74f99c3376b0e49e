// "TReadWnd": the host's mail-reading window, a "TMemo" above a "TRichEdit",
// both holding lines the tests choose.
#pragma once

#include "tools/standin-host/HostWindow.h"

namespace standin {

class ReadWindow : public HostWindow {
 public:
  // Creates the window owned by `application` with the two controls, titled
  // `title` last (the agent may look for it by title), and shows it; null
  // when it cannot be made.
  static ReadWindow* Create(WindowOwner& owner, HWND application, const std::string& title);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND memo = nullptr;
  HWND richEdit = nullptr;

 private:
  using HostWindow::HostWindow;
  void Layout(int width, int height);
};

}  // namespace standin
