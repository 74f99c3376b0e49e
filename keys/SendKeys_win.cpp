#include "keys/SendKeys_win.h"

#include <windows.h>

#include <cstring>

namespace {

// The keyboard messages handled between events: 0x0100..0x0108. WM_UNICHAR
// (0x0109), which newer headers count into WM_KEYLAST, stays queued.
constexpr UINT KEY_MESSAGES_FIRST = WM_KEYFIRST;
constexpr UINT KEY_MESSAGES_LAST = 0x0108;

class SystemKeyboard final : public KeyboardPort {
 public:
  void EmitKeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                    bool wait) override {
    keybd_event(virtualKey, scanCode, flags, 0);
    if (!wait) return;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, KEY_MESSAGES_FIRST, KEY_MESSAGES_LAST, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  KeyWord ScanCharacter(char c) override { return static_cast<KeyWord>(VkKeyScanA(c)); }

  unsigned MapToScanCode(std::uint8_t virtualKey) override {
    return MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  }

  bool NumLockToggled() override { return (GetKeyState(VK_NUMLOCK) & 1) != 0; }

  void SetNumLockToggled(bool toggled) override {
    BYTE state[256] = {};
    if (!GetKeyboardState(state)) return;
    state[VK_NUMLOCK] = static_cast<BYTE>(toggled ? state[VK_NUMLOCK] | 1 : state[VK_NUMLOCK] & ~1);
    SetKeyboardState(state);
  }

  void ShowMessage(const char* text, const char* caption) override {
    MessageBoxA(nullptr, text, caption, MB_OK);
  }
};

}  // namespace

bool SendKeys(const char* text, bool wait) {
  if (text == nullptr) return false;
  SystemKeyboard keyboard;
  return SendKeys(std::string_view(text, std::strlen(text)), wait, keyboard);
}
