// The few painted controls the agent's windows are made of: panels (with an
// optional caption, optionally clickable like a button), labels and
// pictures. Each paints its own background colour, so they sit on coloured
// forms without a visible seam.
#pragma once

#include <windows.h>

#include <string>

#include "base/RoutedWindow_win.h"

struct ControlLook {
  COLORREF background = RGB(255, 255, 255);
  COLORREF text = RGB(0, 0, 0);
  HFONT font = nullptr;          // null: the system font
  bool centred = false;          // caption centred in the control (panels), else top-left
  HBITMAP picture = nullptr;     // drawn at the top-left, magenta (255, 0, 255) transparent
  bool clickable = false;        // a click sends WM_COMMAND (id, BN_CLICKED) up the parents
  bool autoSize = false;         // a label as wide as its text (from its left edge)
  bool shrinkToFit = false;      // a label keeps its width; a text too wide gets a smaller font
};

class TPaintedControl : public MessageHandler {
 public:
  TPaintedControl() = default;
  TPaintedControl(const TPaintedControl&) = delete;
  TPaintedControl& operator=(const TPaintedControl&) = delete;
  ~TPaintedControl() override;

  // Creates the control as a visible child of `parent`.
  HWND Create(HWND parent, int id, int x, int y, int width, int height, const std::string& text,
              const ControlLook& look);
  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }
  HWND Handle() const { return window_; }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  void FitToText();
  int TextWidth(HFONT font) const;

  HFONT fittedFont_ = nullptr;  // owned; the smaller font of a shrunk label

  HWND window_ = nullptr;
  std::string text_;
  ControlLook look_;
  bool pressed_ = false;
};

// A font of the given pixel height in the Shift-JIS character set.
HFONT CreateJapaneseFont(const char* face, int pixelHeight, bool bold);
