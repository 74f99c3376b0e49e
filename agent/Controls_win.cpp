#include "agent/Controls_win.h"

namespace {
constexpr char kControlClass[] = "TSorvikControl";
}  // namespace

HWND TPaintedControl::Create(HWND parent, int id, int x, int y, int width, int height,
                             const std::string& text, const ControlLook& look) {
  text_ = text;
  look_ = look;
  RegisterRoutedClass(kControlClass);
  window_ = CreateRoutedWindow(this, 0, kControlClass, text.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  FitToText();
  return window_;
}

void TPaintedControl::SetText(const std::string& text) {
  text_ = text;
  if (window_ != nullptr) {
    SetWindowTextA(window_, text.c_str());
    FitToText();
    InvalidateRect(window_, nullptr, TRUE);
  }
}

TPaintedControl::~TPaintedControl() {
  if (fittedFont_ != nullptr) DeleteObject(fittedFont_);
}

int TPaintedControl::TextWidth(HFONT font) const {
  HDC dc = GetDC(window_);
  HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
  SIZE extent{};
  GetTextExtentPoint32A(dc, text_.c_str(), static_cast<int>(text_.size()), &extent);
  if (oldFont != nullptr) SelectObject(dc, oldFont);
  ReleaseDC(window_, dc);
  return extent.cx;
}

void TPaintedControl::FitToText() {
  if (window_ == nullptr) return;
  RECT rect;
  GetClientRect(window_, &rect);
  if (look_.autoSize) {
    SetWindowPos(window_, nullptr, 0, 0, TextWidth(look_.font), rect.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (look_.shrinkToFit && look_.font != nullptr) {
    // Where the system's font is wider than the layout was made for, a
    // slightly smaller font keeps the whole text readable in its place.
    if (fittedFont_ != nullptr) DeleteObject(fittedFont_);
    fittedFont_ = nullptr;
    LOGFONTA shape{};
    GetObjectA(look_.font, sizeof shape, &shape);
    const int fullHeight = shape.lfHeight < 0 ? -shape.lfHeight : shape.lfHeight;
    for (int height = fullHeight; TextWidth(fittedFont_ != nullptr ? fittedFont_ : look_.font) > rect.right &&
                                  height > 8;) {
      --height;
      shape.lfHeight = -height;
      if (fittedFont_ != nullptr) DeleteObject(fittedFont_);
      fittedFont_ = CreateFontIndirectA(&shape);
    }
  }
}

void TPaintedControl::Paint(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  HBRUSH background = CreateSolidBrush(look_.background);
  FillRect(dc, &client, background);
  DeleteObject(background);

  if (look_.picture != nullptr) {
    BITMAP info{};
    GetObject(look_.picture, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, look_.picture);
    TransparentBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, info.bmWidth, info.bmHeight,
                   RGB(255, 0, 255));
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  if (!text_.empty()) {
    HFONT font = fittedFont_ != nullptr ? fittedFont_ : look_.font;
    HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look_.text);
    RECT box = client;
    if (pressed_) OffsetRect(&box, 1, 1);
    const UINT format = look_.centred ? DT_CENTER | DT_VCENTER | DT_SINGLELINE : DT_LEFT | DT_TOP | DT_SINGLELINE;
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &box, format | DT_NOPREFIX);
    if (oldFont != nullptr) SelectObject(dc, oldFont);
  }
  if (look_.clickable) {
    // A thin raised (or, while pressed, sunken) edge shows it is a button.
    DrawEdge(dc, &client, pressed_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
}

LRESULT TPaintedControl::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      Paint(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_LBUTTONDOWN:
      if (look_.clickable) {
        pressed_ = true;
        SetCapture(window);
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONUP:
      if (look_.clickable && pressed_) {
        pressed_ = false;
        ReleaseCapture();
        InvalidateRect(window, nullptr, FALSE);
        RECT client;
        GetClientRect(window, &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, at)) {
          SendMessageA(GetParent(window), WM_COMMAND,
                       MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED), reinterpret_cast<LPARAM>(window));
        }
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (pressed_) {
        pressed_ = false;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_COMMAND:
      // A panel passes its children's commands on to the form.
      return SendMessageA(GetParent(window), message, wParam, lParam);
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HFONT CreateJapaneseFont(const char* face, int pixelHeight, bool bold) {
  return CreateFontA(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}
