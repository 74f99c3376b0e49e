// The keystroke synthesiser: reads a short key-description text and turns it
// into keyboard events for whatever window has the keyboard focus.
//
// The language, read one byte at a time:
//   + ^ %     press Shift, Ctrl, Alt and hold it for the next key sent, or,
//             inside ( ), until the group closes
//   ( )       a group over which the held modifiers stay down
//   ~         Enter
//   {NAME}    a named key (KeyNameTable), {NAME n} that key n times; {x} and
//             {x n} the key of one character; {{} and {}} the braces
//   other     the key of that character on the current layout
//
// Portable: every effect on the system goes through KeyboardPort, so the
// decisions are tested against a recorded sequence of events. The Win32 side
// (SendKeys_win.h) plugs in the real keyboard.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/Error.h"

// A key as VkKeyScanA gives it: low byte the virtual-key code, high byte the
// shift state (KEY_SHIFT, KEY_CONTROL, KEY_ALT bits).
using KeyWord = std::uint16_t;
inline constexpr KeyWord NO_KEY = 0xFFFF;
inline constexpr std::uint8_t KEY_SHIFT = 1;
inline constexpr std::uint8_t KEY_CONTROL = 2;
inline constexpr std::uint8_t KEY_ALT = 4;

// The flags of one key event, as keybd_event takes them.
inline constexpr std::uint32_t KEY_EVENT_EXTENDED = 0x0001;  // KEYEVENTF_EXTENDEDKEY
inline constexpr std::uint32_t KEY_EVENT_UP = 0x0002;        // KEYEVENTF_KEYUP

// Virtual-key codes the synthesiser itself presses.
inline constexpr std::uint8_t VK_CODE_SHIFT = 0x10;
inline constexpr std::uint8_t VK_CODE_CONTROL = 0x11;
inline constexpr std::uint8_t VK_CODE_ALT = 0x12;
inline constexpr std::uint8_t VK_CODE_RETURN = 0x0D;
inline constexpr std::uint8_t VK_CODE_NUMLOCK = 0x90;

// The caption and the texts of the synthesiser's message boxes.
inline constexpr char SENDKEYS_CAPTION[] = "SendKeys";
inline constexpr char SENDKEYS_NO_CLOSE[] = "No Close";                   // { without }
inline constexpr char SENDKEYS_INVALID_KEY_NAME[] = "Invalid Key Name";   // {NAME} not known
inline constexpr char SENDKEYS_INVALID_KEYNAME[] = "Invalid KeyName";     // character without a key

// A brace group's repeat count is not a decimal integer ({TAB x}, { },
// {TAB }). The call stops there: nothing after the group is sent.
class SendKeysCountError : public Error {
 public:
  explicit SendKeysCountError(const std::string& group);
  // The group as written, braces included.
  const std::string& Group() const { return group_; }

 private:
  std::string group_;
};

// Everything the synthesiser does to the system.
class KeyboardPort {
 public:
  virtual ~KeyboardPort() = default;
  // Injects one key event; when `wait` is set, then handles the calling
  // thread's keyboard messages until none is left.
  virtual void EmitKeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                            bool wait) = 0;
  // The key of a character on the current layout (VkKeyScanA), or NO_KEY.
  virtual KeyWord ScanCharacter(char c) = 0;
  // The scan code of a virtual key (MapVirtualKeyA, map type 0).
  virtual unsigned MapToScanCode(std::uint8_t virtualKey) = 0;
  // Bit 0 of the Num Lock entry of the calling thread's keyboard state:
  // read through GetKeyState, written back through the whole state.
  virtual bool NumLockToggled() = 0;
  virtual void SetNumLockToggled(bool toggled) = 0;
  // A modal message box with an OK button and no owner.
  virtual void ShowMessage(const char* text, const char* caption) = 0;
};

// Sends the keys `text` describes (up to its first zero byte). False when the
// text is empty or a brace group is not closed ("No Close"); true otherwise,
// also when keys were skipped as invalid. Throws SendKeysCountError for a
// repeat count that is not a decimal integer. Modifiers pressed by + ^ % are
// always up again when the call returns or throws, even inside an unclosed
// ( group.
bool SendKeys(std::string_view text, bool wait, KeyboardPort& keyboard);
