// The key-description language against a recording keyboard with a fixed
// layout: the exact key events (virtual key, scan code, flags, order), the
// message boxes, the Num Lock state and the results.
#include "keys/SendKeys.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Event {
  std::uint8_t vk;
  std::uint8_t scan;
  std::uint32_t flags;
  bool operator==(const Event&) const = default;
};

void PrintTo(const Event& e, std::ostream* out) {
  static const char* const kinds[] = {"d", "xd", "u", "xu"};
  *out << std::hex << static_cast<int>(e.vk) << (e.flags < 4 ? kinds[e.flags] : "?")
       << "(scan " << static_cast<int>(e.scan) << ")" << std::dec;
}

struct Box {
  std::string text;
  std::size_t eventsBefore;  // how many events had been sent when it showed
  bool operator==(const Box&) const = default;
};

void PrintTo(const Box& b, std::ostream* out) { *out << '"' << b.text << "\" after " << b.eventsBefore; }

// The layout of the tests: a US-like keyboard where letters, digits, space and
// the bracket keys have keys, '|' needs Shift+Ctrl+Alt, and no byte of 0x80
// or above has a key.
std::uint16_t LayoutKey(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<std::uint16_t>(0x41 + (c - 'a'));
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint16_t>(0x0141 + (c - 'A'));
  if (c >= '0' && c <= '9') return static_cast<std::uint16_t>(0x30 + (c - '0'));
  switch (c) {
    case ' ': return 0x0020;
    case '[': return 0x00DB;
    case ']': return 0x00DD;
    case '{': return 0x01DB;
    case '}': return 0x01DD;
    case '!': return 0x0131;
    case '|': return 0x07DC;
    default: return 0xFFFF;
  }
}

// Distinct for every virtual key (3 is odd, so this is a bijection on bytes).
std::uint8_t LayoutScan(std::uint8_t vk) { return static_cast<std::uint8_t>(vk * 3 + 1); }

Event D(std::uint8_t vk) { return {vk, LayoutScan(vk), 0}; }
Event U(std::uint8_t vk) { return {vk, LayoutScan(vk), 2}; }
Event XD(std::uint8_t vk) { return {vk, LayoutScan(vk), 1}; }
Event XU(std::uint8_t vk) { return {vk, LayoutScan(vk), 3}; }

using Events = std::vector<Event>;

Events Repeat(const Events& events, int times) {
  Events all;
  for (int i = 0; i < times; ++i) all.insert(all.end(), events.begin(), events.end());
  return all;
}

constexpr std::uint8_t SHIFT = 0x10, CTRL = 0x11, ALT = 0x12;
constexpr std::uint8_t TAB = 0x09, ENTER = 0x0D, HOME = 0x24, END = 0x23;

class RecordingKeyboard : public KeyboardPort {
 public:
  void EmitKeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, bool wait) override {
    events.push_back({vk, scan, flags});
    waits.push_back(wait);
  }
  KeyWord ScanCharacter(char c) override { return LayoutKey(c); }
  // A high byte that must not reach the event.
  unsigned MapToScanCode(std::uint8_t vk) override { return 0xE100u | LayoutScan(vk); }
  bool NumLockToggled() override { return numLock; }
  void SetNumLockToggled(bool toggled) override {
    numLock = toggled;
    ++numLockWrites;
  }
  void ShowMessage(const char* text, const char* caption) override {
    EXPECT_STREQ(caption, "SendKeys");
    boxes.push_back({text, events.size()});
  }

  Events events;
  std::vector<bool> waits;
  std::vector<Box> boxes;
  bool numLock = false;
  int numLockWrites = 0;
};

class SendKeysTest : public ::testing::Test {
 protected:
  bool Send(std::string_view text, bool wait = true) { return SendKeys(text, wait, keyboard); }
  RecordingKeyboard keyboard;
};

TEST_F(SendKeysTest, KeysComeOutAsTheirExactEventSequences) {
  struct Case {
    const char* text;
    Events events;
  };
  const Case cases[] = {
      // What the system itself sends.
      {"%{TAB}", {D(ALT), D(TAB), U(TAB), U(ALT)}},
      {"{HOME}+{END}", {XD(HOME), XU(HOME), D(SHIFT), XD(END), XU(END), U(SHIFT)}},
      // A held modifier covers the next key only, or a whole ( group.
      {"+(ab)", {D(SHIFT), D(0x41), U(0x41), D(0x42), U(0x42), U(SHIFT)}},
      {"(+ab)", {D(SHIFT), D(0x41), U(0x41), D(0x42), U(0x42), U(SHIFT)}},
      {"+abc", {D(SHIFT), D(0x41), U(0x41), U(SHIFT), D(0x42), U(0x42), D(0x43), U(0x43)}},
      {"^%x", {D(CTRL), D(ALT), D(0x58), U(0x58), U(CTRL), U(ALT)}},
      {"+~", {D(SHIFT), D(ENTER), U(ENTER), U(SHIFT)}},
      {"~", {D(ENTER), U(ENTER)}},
      {"a)b", {D(0x41), U(0x41), D(0x42), U(0x42)}},
      // The key's own shift state wraps it, on top of a held prefix; its
      // modifiers are let up in the order they went down.
      {"+A", {D(SHIFT), D(SHIFT), D(0x41), U(0x41), U(SHIFT), U(SHIFT)}},
      {"|", {D(SHIFT), D(CTRL), D(ALT), D(0xDC), U(0xDC), U(SHIFT), U(CTRL), U(ALT)}},
      // Brace groups: names in any case, a single character upper-cased,
      // repeat counts.
      {"{TAB}", {D(TAB), U(TAB)}},
      {"{tab}", {D(TAB), U(TAB)}},
      {"{Tab 3}", Repeat({D(TAB), U(TAB)}, 3)},
      {"{TAB 0}", {}},
      {"{a}", {D(SHIFT), D(0x41), U(0x41), U(SHIFT)}},
      {"{b 2}", {D(SHIFT), D(0x42), U(0x42), D(0x42), U(0x42), U(SHIFT)}},
      {"{DEL 2}", {XD(0x2E), XU(0x2E), XD(0x2E), XU(0x2E)}},
      {"+{PGUP}", {D(SHIFT), XD(0x21), XU(0x21), U(SHIFT)}},
      {"{TAB +2}", Repeat({D(TAB), U(TAB)}, 2)},
      // The count is kept to its low 16 bits.
      {"{TAB 65537}", {D(TAB), U(TAB)}},
      {"{TAB -65535}", {D(TAB), U(TAB)}},
      // Only the first 20 characters of a group count: a count of sixteen
      // zeros, and a tail that would not have been a number.
      {"{TAB 00000000000000001}", {}},
      {"{TAB 0000000000000002x}", Repeat({D(TAB), U(TAB)}, 2)},
      // The braces themselves.
      {"{{}", {D(SHIFT), D(0xDB), U(0xDB), U(SHIFT)}},
      {"{}}", {D(SHIFT), D(0xDD), U(0xDD), U(SHIFT)}},
      {"+{{}", {D(SHIFT), D(SHIFT), D(0xDB), U(0xDB), U(SHIFT), U(SHIFT)}},
      {"{}}a", {D(SHIFT), D(0xDD), U(0xDD), U(SHIFT), D(0x41), U(0x41)}},
      // {{ takes the character after it unread.
      {"{{xa", {D(SHIFT), D(0xDB), U(0xDB), U(SHIFT), D(0x41), U(0x41)}},
      {"{{", {D(SHIFT), D(0xDB), U(0xDB), U(SHIFT)}},
      // A named group followed by } is the key, then a right brace typed as
      // a character of its own.
      {"{ENTER}}", {D(ENTER), U(ENTER), D(SHIFT), D(0xDD), U(0xDD), U(SHIFT)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    keyboard = {};
    EXPECT_TRUE(Send(c.text));
    EXPECT_EQ(keyboard.events, c.events);
    EXPECT_TRUE(keyboard.boxes.empty());
    EXPECT_EQ(keyboard.numLockWrites, 0);
  }
}

TEST_F(SendKeysTest, EveryKeyNameIsRecognisedInAnyCase) {
  struct Case {
    const char* name;
    std::uint8_t vk;
    bool extended;
  };
  const Case cases[] = {
      {"BKSP", 0x08, false},  {"BS", 0x08, false},     {"BACKSPACE", 0x08, false},
      {"BREAK", 0x03, false}, {"CAPSLOCK", 0x14, false}, {"CLEAR", 0x0C, false},
      {"DEL", 0x2E, true},    {"DELETE", 0x2E, true},  {"DOWN", 0x28, true},
      {"END", 0x23, true},    {"ENTER", 0x0D, false},  {"ESC", 0x1B, false},
      {"ESCAPE", 0x1B, false}, {"F1", 0x70, false},    {"F2", 0x71, false},
      {"F3", 0x72, false},    {"F4", 0x73, false},     {"F5", 0x74, false},
      {"F6", 0x75, false},    {"F7", 0x76, false},     {"F8", 0x77, false},
      {"F9", 0x78, false},    {"F10", 0x79, false},    {"F11", 0x7A, false},
      {"F12", 0x7B, false},   {"F13", 0x7C, false},    {"F14", 0x7D, false},
      {"F15", 0x7E, false},   {"F16", 0x7F, false},    {"HELP", 0x2F, false},
      {"HOME", 0x24, true},   {"INS", 0x2D, true},     {"LEFT", 0x25, true},
      {"PGDN", 0x22, true},   {"PGUP", 0x21, true},    {"PRTSC", 0x2A, false},
      {"RIGHT", 0x27, true},  {"SCROLLLOCK", 0x91, false}, {"TAB", 0x09, false},
      {"UP", 0x26, true},
      // NUMLOCK, the 41st, sends no event: see the Num Lock test.
  };
  for (const Case& c : cases) {
    const Events expected = c.extended ? Events{XD(c.vk), XU(c.vk)} : Events{D(c.vk), U(c.vk)};
    std::string lower = c.name;
    for (char& ch : lower) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    for (const std::string& name : {std::string(c.name), lower}) {
      SCOPED_TRACE(name);
      keyboard = {};
      EXPECT_TRUE(Send("{" + name + "}"));
      EXPECT_EQ(keyboard.events, expected);
      EXPECT_TRUE(keyboard.boxes.empty());
    }
  }
}

TEST_F(SendKeysTest, NumLockFlipsTheToggleStateOnceWithoutAnyEvent) {
  struct Case {
    const char* text;
    bool before;
    Events events;
  };
  const Case cases[] = {
      {"{NUMLOCK}", false, {}},
      {"{NUMLOCK}", true, {}},
      {"{numlock 5}", false, {}},
      {"{NUMLOCK 0}", true, {}},
      {"+{NUMLOCK}", false, {D(SHIFT), U(SHIFT)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + (c.before ? " (on)" : " (off)"));
    keyboard = {};
    keyboard.numLock = c.before;
    EXPECT_TRUE(Send(c.text));
    EXPECT_EQ(keyboard.numLockWrites, 1);
    EXPECT_EQ(keyboard.numLock, !c.before);
    EXPECT_EQ(keyboard.events, c.events);
  }
}

TEST_F(SendKeysTest, SkippedKeysShowTheirMessageOrNoneAndKeepTheHeldModifiers) {
  struct Case {
    std::string_view text;
    Events events;
    std::vector<Box> boxes;
  };
  const Case cases[] = {
      // A character without a key: a box, the rest is sent.
      {"a\x82" "b", {D(0x41), U(0x41), D(0x42), U(0x42)}, {{"Invalid KeyName", 2}}},
      // A name not in the table; a name must match exactly.
      {"{XYZ}", {}, {{"Invalid Key Name", 0}}},
      {"{F17}", {}, {{"Invalid Key Name", 0}}},
      {"{BKS}", {}, {{"Invalid Key Name", 0}}},
      {"{}", {}, {{"Invalid Key Name", 0}}},
      {"{ 3}", {}, {{"Invalid Key Name", 0}}},
      {"a{XYZ}b", {D(0x41), U(0x41), D(0x42), U(0x42)}, {{"Invalid Key Name", 2}}},
      // One character without a key inside braces: skipped silently.
      {"{\x82}a", {D(0x41), U(0x41)}, {}},
      // A skipped key lets nothing up: the modifier holds for the next key
      // that is sent.
      {"+\x82" "a", {D(SHIFT), D(0x41), U(0x41), U(SHIFT)}, {{"Invalid KeyName", 1}}},
      {"^{XYZ}a", {D(CTRL), D(0x41), U(0x41), U(CTRL)}, {{"Invalid Key Name", 1}}},
      {"%{\x82}a", {D(ALT), D(0x41), U(0x41), U(ALT)}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    keyboard = {};
    EXPECT_TRUE(Send(c.text));
    EXPECT_EQ(keyboard.events, c.events);
    EXPECT_EQ(keyboard.boxes, c.boxes);
  }
}

TEST_F(SendKeysTest, UnclosedGroupsStopOrFinishWithNoModifierLeftDown) {
  struct Case {
    std::string_view text;
    bool result;
    Events events;
    std::vector<Box> boxes;
  };
  const Case cases[] = {
      // A brace group without } ends the call: what was sent stays sent, the
      // held modifiers are let up before the box.
      {"ab{TAB", false, {D(0x41), U(0x41), D(0x42), U(0x42)}, {{"No Close", 4}}},
      {"{", false, {}, {{"No Close", 0}}},
      {"^%{TAB", false, {D(CTRL), D(ALT), U(CTRL), U(ALT)}, {{"No Close", 4}}},
      {"+(ab{TAB}",
       true,
       {D(SHIFT), D(0x41), U(0x41), D(0x42), U(0x42), D(TAB), U(TAB), U(SHIFT)},
       {}},
      {"+(ab{TAB",
       false,
       {D(SHIFT), D(0x41), U(0x41), D(0x42), U(0x42), U(SHIFT)},
       {{"No Close", 6}}},
      // A ( group still open at the end lets its modifiers up there.
      {"+(ab", true, {D(SHIFT), D(0x41), U(0x41), D(0x42), U(0x42), U(SHIFT)}, {}},
      {"+^(", true, {D(SHIFT), D(CTRL), U(SHIFT), U(CTRL)}, {}},
      // A prefix with no key after it.
      {"%", true, {D(ALT), U(ALT)}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    keyboard = {};
    EXPECT_EQ(Send(c.text), c.result);
    EXPECT_EQ(keyboard.events, c.events);
    EXPECT_EQ(keyboard.boxes, c.boxes);
  }
}

TEST_F(SendKeysTest, EmptyTextSendsNothingAndFails) {
  for (std::string_view text : {std::string_view(""), std::string_view("\0a", 2)}) {
    keyboard = {};
    EXPECT_FALSE(Send(text));
    EXPECT_TRUE(keyboard.events.empty());
    EXPECT_TRUE(keyboard.boxes.empty());
  }
}

TEST_F(SendKeysTest, TextEndsAtItsFirstZeroByte) {
  EXPECT_TRUE(Send(std::string_view("a\0b", 3)));
  EXPECT_EQ(keyboard.events, (Events{D(0x41), U(0x41)}));
}

TEST_F(SendKeysTest, RepeatCountThatIsNotANumberStopsTheCallAndNamesTheGroup) {
  struct Case {
    const char* text;
    const char* group;
    Events events;  // sent before the error, modifiers let up included
  };
  const Case cases[] = {
      {"{TAB x}", "{TAB x}", {}},
      {"{ }", "{ }", {}},
      {"{TAB }", "{TAB }", {}},
      {"{TAB 3x}", "{TAB 3x}", {}},
      {"{TAB 1 2}", "{TAB 1 2}", {}},
      {"{TAB -}", "{TAB -}", {}},
      // The count is read before the name is looked up: no second message.
      {"{XYZ x}", "{XYZ x}", {}},
      // Nothing after the group is sent; held modifiers do not stay down,
      // even inside a ( group.
      {"a{TAB x}b", "{TAB x}", {D(0x41), U(0x41)}},
      {"+(a{tab x}b)", "{tab x}", {D(SHIFT), D(0x41), U(0x41), U(SHIFT)}},
      {"^%{TAB x}", "{TAB x}", {D(CTRL), D(ALT), U(CTRL), U(ALT)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    keyboard = {};
    try {
      Send(c.text);
      ADD_FAILURE() << "no error";
    } catch (const SendKeysCountError& e) {
      EXPECT_EQ(e.Group(), c.group);
      EXPECT_NE(std::string(e.what()).find(c.group), std::string::npos) << e.what();
    }
    EXPECT_EQ(keyboard.events, c.events);
    EXPECT_TRUE(keyboard.boxes.empty());
  }
}

TEST_F(SendKeysTest, EveryEventCarriesTheWaitArgument) {
  for (bool wait : {true, false}) {
    keyboard = {};
    EXPECT_TRUE(Send("{HOME}+{END}", wait));
    ASSERT_EQ(keyboard.waits.size(), 6u);
    for (bool w : keyboard.waits) EXPECT_EQ(w, wait);
  }
}

}  // namespace
