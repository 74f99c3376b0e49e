// The banner window, which is also the hang-up prompt: a small borderless,
// always-on-top window. As a banner (32 pixels tall) it shows the agent's
// name over the host while the host starts; grown to 123 pixels it asks
// whether to hang up the dial-up connections when the host's main window
// closes. (Its window class, "TFormTitle", is seen from outside and stays.)
#pragma once

#include <windows.h>

#include "agent/Controls_win.h"
#include "base/RoutedWindow_win.h"

inline constexpr char TITLE_WINDOW_CLASS[] = "TFormTitle";
inline constexpr int TITLE_WIDTH = 193;
inline constexpr int TITLE_BANNER_HEIGHT = 32;
inline constexpr int TITLE_PROMPT_HEIGHT = 123;

class TBannerWindow : public MessageHandler {
 public:
  TBannerWindow() = default;
  TBannerWindow(const TBannerWindow&) = delete;
  TBannerWindow& operator=(const TBannerWindow&) = delete;
  ~TBannerWindow() override;

  // Creates the hidden window, centred on the desktop, and runs FormCreate.
  bool Create(HBITMAP mascot);
  HWND Handle() const { return window_; }

  // Shows the window at whatever height it has, topmost, without taking the
  // focus from the window the user works in.
  void ShowOnTop();
  // The tall form, when at least one dial-up connection is active.
  void ShowHangUpPrompt();
  // Hides the window; the next plain show is the banner again.
  void HideForm();
  // Whether the window is up in its tall form, asking to hang up.
  bool ShowsHangUpPrompt() const;

  // Active dial-up connections, as the Remote Access Service reports them.
  static int CountConnections();
  // Hangs up every active dial-up connection, in the order enumerated.
  static void HangUpAll();

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormCreate();
  void PanelHangUpClick();
  void PanelConnectClick();

  HWND window_ = nullptr;
  int NormalHeight = 0;
  HFONT font_ = nullptr;
  HFONT captionFont_ = nullptr;
  HBRUSH background_ = nullptr;
  TPaintedControl Panel1, Label1, Label2, Image1, Label3, Label4, PanelHangUp, PanelConnect;
};
