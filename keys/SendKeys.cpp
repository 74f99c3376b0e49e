#include "keys/SendKeys.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

struct KeyName {
  std::string_view name;  // upper-case ASCII
  std::uint8_t virtualKey;
};

// The names a brace group may carry, each with shift state 0.
constexpr std::array<KeyName, 41> KeyNameTable{{
    {"BKSP", 0x08},    {"BS", 0x08},         {"BACKSPACE", 0x08}, {"BREAK", 0x03},
    {"CAPSLOCK", 0x14}, {"CLEAR", 0x0C},     {"DEL", 0x2E},       {"DELETE", 0x2E},
    {"DOWN", 0x28},    {"END", 0x23},        {"ENTER", 0x0D},     {"ESC", 0x1B},
    {"ESCAPE", 0x1B},  {"F1", 0x70},         {"F2", 0x71},        {"F3", 0x72},
    {"F4", 0x73},      {"F5", 0x74},         {"F6", 0x75},        {"F7", 0x76},
    {"F8", 0x77},      {"F9", 0x78},         {"F10", 0x79},       {"F11", 0x7A},
    {"F12", 0x7B},     {"F13", 0x7C},        {"F14", 0x7D},       {"F15", 0x7E},
    {"F16", 0x7F},     {"HELP", 0x2F},       {"HOME", 0x24},      {"INS", 0x2D},
    {"LEFT", 0x25},    {"NUMLOCK", 0x90},    {"PGDN", 0x22},      {"PGUP", 0x21},
    {"PRTSC", 0x2A},   {"RIGHT", 0x27},      {"SCROLLLOCK", 0x91}, {"TAB", 0x09},
    {"UP", 0x26},
}};

// Keys sent with the extended-key flag: the navigation block.
constexpr std::array<std::uint8_t, 10> ExtendedKeyCodes{0x21, 0x22, 0x23, 0x24, 0x25,
                                                        0x26, 0x27, 0x28, 0x2D, 0x2E};

// The braces are typed with Shift on the keys of [ and ].
constexpr KeyWord LEFT_BRACE_KEY = 0x01DB;
constexpr KeyWord RIGHT_BRACE_KEY = 0x01DD;

// Only the first characters of a brace group count.
constexpr std::size_t GROUP_TEXT_LIMIT = 20;

bool IsExtendedKeyCode(std::uint8_t virtualKey) {
  return std::find(ExtendedKeyCodes.begin(), ExtendedKeyCodes.end(), virtualKey) !=
         ExtendedKeyCodes.end();
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A decimal integer (an optional sign, then digits, nothing else) taken as
// its low 16 bits; nothing when the text is not one.
std::optional<std::uint16_t> ParseRepeatCount(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  // Unsigned arithmetic wraps modulo 2^16 at every step, which keeps exactly
  // the low 16 bits of a number of any length.
  std::uint16_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = static_cast<std::uint16_t>(value * 10u + static_cast<unsigned>(c - '0'));
  }
  return negative ? static_cast<std::uint16_t>(0u - value) : value;
}

// One call of SendKeys: the text's position and the held modifiers.
class KeySender {
 public:
  KeySender(bool wait, KeyboardPort& keyboard) : wait_(wait), keyboard_(keyboard) {}

  bool Run(std::string_view text) {
    if (text.empty()) return false;
    std::size_t pos = 0;
    while (pos < text.size()) {
      const char c = text[pos];
      switch (c) {
        case '+': PressModifier(VK_CODE_SHIFT, shiftHeld_); break;
        case '^': PressModifier(VK_CODE_CONTROL, controlHeld_); break;
        case '%': PressModifier(VK_CODE_ALT, altHeld_); break;
        case '(': groupOpen_ = true; break;
        case ')':
          groupOpen_ = false;
          ReleaseStickyModifiers();
          break;
        case '~':
          TapKey(VK_CODE_RETURN, 1, true);
          ReleaseStickyModifiers();
          break;
        case '{': {
          const std::optional<std::size_t> next = SendBraceGroup(text, pos);
          if (!next) return false;
          pos = *next;
          continue;
        }
        default: {
          const KeyWord key = keyboard_.ScanCharacter(c);
          if (key == NO_KEY) {
            // Skipped: the held modifiers stay for the next key sent.
            keyboard_.ShowMessage(SENDKEYS_INVALID_KEYNAME, SENDKEYS_CAPTION);
          } else {
            SendKeyCombination(key, 1, true);
            ReleaseStickyModifiers();
          }
          break;
        }
      }
      ++pos;
    }
    // A group still open at the end would leave its modifiers down.
    ReleaseHeldModifiers();
    return true;
  }

  // Lets up whatever + ^ % pressed, open group or not.
  void ReleaseHeldModifiers() {
    if (shiftHeld_) ReleaseKey(VK_CODE_SHIFT);
    if (controlHeld_) ReleaseKey(VK_CODE_CONTROL);
    if (altHeld_) ReleaseKey(VK_CODE_ALT);
    shiftHeld_ = controlHeld_ = altHeld_ = false;
    groupOpen_ = false;
  }

 private:
  // The brace group that starts at text[open]; the position after it, or
  // nothing when it is not closed.
  std::optional<std::size_t> SendBraceGroup(std::string_view text, std::size_t open) {
    // {{} is the left brace; its third character is not looked at.
    if (open + 1 < text.size() && text[open + 1] == '{') {
      SendKeyCombination(LEFT_BRACE_KEY, 1, true);
      ReleaseStickyModifiers();
      return std::min(open + 3, text.size());
    }
    const std::size_t close = text.find('}', open + 1);
    if (close == std::string_view::npos) {
      // Let the modifiers up before the box, which would otherwise be used
      // with them held.
      ReleaseHeldModifiers();
      keyboard_.ShowMessage(SENDKEYS_NO_CLOSE, SENDKEYS_CAPTION);
      return std::nullopt;
    }
    // {}} is the right brace. A named group followed by } ({ENTER}}) is
    // that key, then the } as a character of its own.
    if (close == open + 1 && close + 1 < text.size() && text[close + 1] == '}') {
      SendKeyCombination(RIGHT_BRACE_KEY, 1, true);
      ReleaseStickyModifiers();
      return close + 2;
    }

    std::string group;
    for (std::size_t i = open + 1; i < close && group.size() < GROUP_TEXT_LIMIT; ++i) {
      group += UpperAscii(text[i]);
    }
    std::uint16_t count = 1;
    if (const std::size_t space = group.find(' '); space != std::string::npos) {
      const std::optional<std::uint16_t> parsed = ParseRepeatCount(std::string_view(group).substr(space + 1));
      if (!parsed) throw SendKeysCountError(std::string(text.substr(open, close - open + 1)));
      count = *parsed;
      group.resize(space);
    }

    KeyWord key;
    if (group.size() == 1) {
      key = keyboard_.ScanCharacter(group[0]);
      if (key == NO_KEY) return close + 1;  // skipped without a word
    } else {
      key = LookUpKeyName(group);
      if (key == NO_KEY) return close + 1;
    }
    SendKeyCombination(key, count, true);
    ReleaseStickyModifiers();
    return close + 1;
  }

  KeyWord LookUpKeyName(std::string_view name) {
    for (const KeyName& entry : KeyNameTable) {
      if (entry.name == name) return entry.virtualKey;
    }
    keyboard_.ShowMessage(SENDKEYS_INVALID_KEY_NAME, SENDKEYS_CAPTION);
    return NO_KEY;
  }

  void PressModifier(std::uint8_t virtualKey, bool& held) {
    held = true;
    TapKey(virtualKey, 1, false);
  }

  void Emit(std::uint8_t virtualKey, std::uint32_t flags) {
    const auto scanCode = static_cast<std::uint8_t>(keyboard_.MapToScanCode(virtualKey) & 0xFF);
    keyboard_.EmitKeyEvent(virtualKey, scanCode, flags, wait_);
  }

  void TapKey(std::uint8_t virtualKey, std::uint16_t count, bool withRelease) {
    if (virtualKey == VK_CODE_NUMLOCK) {
      // Num Lock flips the thread's toggle state once, whatever the count;
      // no key event is sent.
      keyboard_.SetNumLockToggled(!keyboard_.NumLockToggled());
      return;
    }
    const std::uint32_t extended = IsExtendedKeyCode(virtualKey) ? KEY_EVENT_EXTENDED : 0;
    for (unsigned i = 0; i < count; ++i) {
      Emit(virtualKey, extended);
      if (withRelease) Emit(virtualKey, extended | KEY_EVENT_UP);
    }
  }

  void ReleaseKey(std::uint8_t virtualKey) { Emit(virtualKey, KEY_EVENT_UP); }

  // The key with the modifiers of its shift state, pressed before and let up
  // after it, both in the order Shift, Ctrl, Alt.
  void SendKeyCombination(KeyWord key, std::uint16_t count, bool withRelease) {
    const auto shiftState = static_cast<std::uint8_t>(key >> 8);
    if (shiftState & KEY_SHIFT) TapKey(VK_CODE_SHIFT, 1, false);
    if (shiftState & KEY_CONTROL) TapKey(VK_CODE_CONTROL, 1, false);
    if (shiftState & KEY_ALT) TapKey(VK_CODE_ALT, 1, false);
    TapKey(static_cast<std::uint8_t>(key & 0xFF), count, withRelease);
    if (shiftState & KEY_SHIFT) ReleaseKey(VK_CODE_SHIFT);
    if (shiftState & KEY_CONTROL) ReleaseKey(VK_CODE_CONTROL);
    if (shiftState & KEY_ALT) ReleaseKey(VK_CODE_ALT);
  }

  // After a key is sent: + ^ % held for it are let up, unless a ( group keeps
  // them down.
  void ReleaseStickyModifiers() {
    if (groupOpen_) return;
    ReleaseHeldModifiers();
  }

  const bool wait_;
  KeyboardPort& keyboard_;
  bool shiftHeld_ = false;
  bool controlHeld_ = false;
  bool altHeld_ = false;
  bool groupOpen_ = false;
};

}  // namespace

SendKeysCountError::SendKeysCountError(const std::string& group)
    : Error("SendKeys: " + group + " の回数が10進の整数ではありません"), group_(group) {}

bool SendKeys(std::string_view text, bool wait, KeyboardPort& keyboard) {
  // The text ends at its first zero byte, as the C string it stands for.
  text = text.substr(0, text.find('\0'));
  KeySender sender(wait, keyboard);
  try {
    return sender.Run(text);
  } catch (...) {
    // Stopped half way (a bad repeat count): no modifier stays down.
    sender.ReleaseHeldModifiers();
    throw;
  }
}
