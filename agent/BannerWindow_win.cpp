#include "agent/BannerWindow_win.h"

#include <ras.h>

#include <cstddef>
#include <vector>

#include "agent/Palette.h"

namespace {

const COLORREF kFormColour = kPaleBlue;
const COLORREF kHangUpColour = kPalePink;
const COLORREF kConnectColour = kPaleGreen;
const COLORREF kWhite = RGB(255, 255, 255);

enum : int { idPanelHangUp = 101, idPanelConnect = 102 };

constexpr DWORD kMaxConnections = 32;

// One dial-up connection as RasEnumConnectionsA fills it in, in the record's
// first form (without the phone book and sub-entry fields that later systems
// added), which every Windows version accepts: 412 bytes on i686. Later
// forms are larger, and older systems refuse them. Packed to 4 bytes as the
// system's own header packs it: on x86_64 the handle sits right after
// dwSize, at offset 4.
#pragma pack(push, 4)
struct DialUpConnection {
  DWORD dwSize;
  HRASCONN hrasconn;
  CHAR szEntryName[256 + 1];
  CHAR szDeviceType[16 + 1];
  CHAR szDeviceName[128 + 1];
};
#pragma pack(pop)
static_assert(offsetof(DialUpConnection, hrasconn) == 4);
#if defined(_M_IX86) || defined(__i386__)
static_assert(sizeof(DialUpConnection) == 412);
#endif

// One RasEnumConnectionsA call into a buffer of 32 records; the handles of
// the active connections, at most 32.
std::vector<HRASCONN> EnumerateConnections() {
  std::vector<DialUpConnection> records(kMaxConnections);
  records[0].dwSize = sizeof(DialUpConnection);
  DWORD bytes = static_cast<DWORD>(records.size() * sizeof(DialUpConnection));
  DWORD count = 0;
  std::vector<HRASCONN> handles;
  // The system's declaration names the latest form of the record; the size
  // in dwSize tells it which form it is given.
  if (RasEnumConnectionsA(reinterpret_cast<RASCONNA*>(records.data()), &bytes, &count) != 0) {
    return handles;
  }
  if (count > kMaxConnections) count = kMaxConnections;
  for (DWORD i = 0; i < count; ++i) handles.push_back(records[i].hrasconn);
  return handles;
}

}  // namespace

TBannerWindow::~TBannerWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  if (font_ != nullptr) DeleteObject(font_);
  if (captionFont_ != nullptr) DeleteObject(captionFont_);
  if (background_ != nullptr) DeleteObject(background_);
}

bool TBannerWindow::Create(HBITMAP mascot) {
  background_ = CreateSolidBrush(kFormColour);
  WindowClassOptions options;
  options.background = background_;
  if (!RegisterRoutedClass(TITLE_WINDOW_CLASS, options)) return false;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - TITLE_WIDTH) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - TITLE_BANNER_HEIGHT) / 2;
  window_ = CreateRoutedWindow(this, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TITLE_WINDOW_CLASS, "Sorvik",
                               WS_POPUP | WS_CLIPCHILDREN, x, y, TITLE_WIDTH, TITLE_BANNER_HEIGHT,
                               nullptr);
  if (window_ == nullptr) return false;

  font_ = CreateJapaneseFont("ＭＳ Ｐゴシック", 12, false);
  captionFont_ = CreateJapaneseFont("ＭＳ Ｐゴシック", 21, true);
  ControlLook plain{kFormColour, RGB(0, 0, 0), font_};
  plain.autoSize = true;
  ControlLook white{kFormColour, kWhite, font_};
  white.shrinkToFit = true;
  ControlLook caption{kFormColour, kWhite, captionFont_, true};
  ControlLook picture{kFormColour};
  picture.picture = mascot;
  ControlLook hangUp{kHangUpColour, RGB(0, 0, 0), font_, true, nullptr, true};
  ControlLook connect{kConnectColour, RGB(0, 0, 0), font_, true, nullptr, true};

  Panel1.Create(window_, 0, 0, 0, TITLE_WIDTH, 19, "", caption);
  Label1.Create(window_, 0, 0, 20, 91, 12, "～ver04a by Quonel", white);
  Label2.Create(window_, 0, 104, 20, 85, 12, "ver05～ by Brasko", white);
  Image1.Create(window_, 0, 29, 48, 33, 33, "", picture);
  Label3.Create(window_, 0, 66, 50, 110, 12, "ダイヤルアップを", plain);
  Label4.Create(window_, 0, 66, 64, 110, 12, "切断しますか？", plain);
  PanelHangUp.Create(window_, idPanelHangUp, 2, 96, 81, 25, "いますぐ切断", hangUp);
  PanelConnect.Create(window_, idPanelConnect, 110, 96, 81, 25, "このまま接続", connect);
  FormCreate();
  return true;
}

void TBannerWindow::FormCreate() {
  Panel1.SetText("+Ｓｏｒｖｉｋ ver06");
  RECT rect;
  GetWindowRect(window_, &rect);
  NormalHeight = rect.bottom - rect.top;
}

void TBannerWindow::ShowOnTop() {
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  UpdateWindow(window_);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TBannerWindow::ShowHangUpPrompt() {
  if (CountConnections() == 0) return;
  SetWindowPos(window_, nullptr, 0, 0, TITLE_WIDTH, TITLE_PROMPT_HEIGHT,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowOnTop();
}

void TBannerWindow::HideForm() {
  ShowWindow(window_, SW_HIDE);
  // FormHide: back to the banner height for the next plain show.
  SetWindowPos(window_, nullptr, 0, 0, TITLE_WIDTH, NormalHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TBannerWindow::ShowsHangUpPrompt() const {
  RECT rect{};
  return IsWindowVisible(window_) && GetWindowRect(window_, &rect) && rect.bottom - rect.top == TITLE_PROMPT_HEIGHT;
}

int TBannerWindow::CountConnections() { return static_cast<int>(EnumerateConnections().size()); }

void TBannerWindow::HangUpAll() {
  // Every active connection, not only the host's; the results are not
  // examined and the closing is not waited for.
  for (HRASCONN connection : EnumerateConnections()) RasHangUpA(connection);
}

void TBannerWindow::PanelHangUpClick() {
  HangUpAll();
  HideForm();
}

void TBannerWindow::PanelConnectClick() { HideForm(); }

LRESULT TBannerWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == idPanelHangUp) PanelHangUpClick();
        if (LOWORD(wParam) == idPanelConnect) PanelConnectClick();
      }
      return 0;
    case WM_CLOSE:
      // Closed from outside (Alt+F4, or another program asking): the window
      // lives as long as the agent, so a close only hides it, as the panels
      // do, and the next banner or prompt shows again.
      HideForm();
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
