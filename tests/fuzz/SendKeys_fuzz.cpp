// Random key-description texts: SendKeys must not crash, must end, and every
// key it presses (modifiers included) must be up again when it returns or
// throws. The keyboard is a recording one with a fixed layout; the first
// input byte chooses the Num Lock state, the rest is the text.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "keys/SendKeys.h"

namespace {

class KeyStateKeyboard : public KeyboardPort {
 public:
  void EmitKeyEvent(std::uint8_t vk, std::uint8_t, std::uint32_t flags, bool) override {
    down[vk] = (flags & KEY_EVENT_UP) == 0;
    ++events;
  }
  // Letters, digits and a few signs have keys, some with modifiers; nothing
  // from 0x80 up has one.
  KeyWord ScanCharacter(char c) override {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<KeyWord>(0x41 + (b - 'a'));
    if (b >= 'A' && b <= 'Z') return static_cast<KeyWord>(0x0141 + (b - 'A'));
    if (b >= '0' && b <= '9') return static_cast<KeyWord>(0x30 + (b - '0'));
    if (b == '{') return 0x01DB;
    if (b == '}') return 0x01DD;
    if (b == '|') return 0x07DC;
    if (b == '@') return 0x0632;
    if (b == ' ') return 0x0020;
    return NO_KEY;
  }
  unsigned MapToScanCode(std::uint8_t vk) override { return 0xE000u | vk; }
  bool NumLockToggled() override { return numLock; }
  void SetNumLockToggled(bool toggled) override {
    numLock = toggled;
    ++numLockWrites;
  }
  void ShowMessage(const char*, const char*) override { ++boxes; }

  std::array<bool, 256> down{};
  std::uint64_t events = 0;
  bool numLock = false;
  std::uint64_t numLockWrites = 0;
  std::uint64_t boxes = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  KeyStateKeyboard keyboard;
  keyboard.numLock = (data[0] & 1) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  bool result = false;
  bool threw = false;
  try {
    result = SendKeys(text, true, keyboard);
  } catch (const SendKeysCountError&) {
    threw = true;
  }
  // No key is left down.
  for (bool down : keyboard.down) {
    if (down) std::abort();
  }
  // Each byte gives a bounded number of events: at most two per repetition
  // of a 16-bit count, plus modifiers, and at most one Num Lock flip.
  const std::uint64_t bound = 16 + 16 * text.size() + 2ull * 65535 * text.size();
  if (keyboard.events > bound || keyboard.numLockWrites > text.size()) std::abort();
  // Only an empty text or an unclosed brace group fails; both say nothing
  // more after that, and the unclosed group says so in a box.
  const std::string_view cut = text.substr(0, text.find('\0'));
  if (!threw && !result && !cut.empty() && (keyboard.boxes == 0 || cut.find('{') == std::string_view::npos)) {
    std::abort();
  }
  if (cut.empty() && (result || threw || keyboard.events != 0)) std::abort();
  return 0;
}
