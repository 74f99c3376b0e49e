// The code-page converter: ANSI (code page 932) to UTF-16 and back. The
// scanners rely on one character becoming one unit and on a text surviving
// a round trip once it has been converted.
#include "base/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CodePage, CharactersConvertBothWays) {
  struct Case { std::string ansi; std::u16string wide; };
  const Case cases[] = {
      {"", u""},
      {"Abc 123", u"Abc 123"},
      {"\\~", u"\\~"},
      {"\x83\x5C", u"\u30BD"},          // ソ: second byte 0x5C
      {"\x95\x5C", u"\u8868"},          // 表: second byte 0x5C
      {"\x81\x40", u"\u3000"},          // the full-width space: second byte "@"
      {"\x83\x41", u"\u30A2"},          // ア: second byte "A"
      {"\xB1", u"\uFF71"},              // half-width katakana: one byte
      {"連絡", u"\u9023\u7D61"},
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},  // nulls are kept
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AnsiToUtf16(c.ansi), c.wide) << c.ansi;
    EXPECT_EQ(Utf16ToAnsi(c.wide), c.ansi) << c.ansi;
  }
}

TEST(CodePage, BytesThatAreNoCharacterBecomeOneDefaultCharacterEach) {
  struct Case { std::string ansi; std::u16string wide; };
  const Case cases[] = {
      {"\x81", u"\u30FB"},              // a lead byte at the end
      {"a\x81", u"a\u30FB"},
      {"\x85\x40", u"\u30FB"},          // unassigned pair: its "@" goes with it
      {"\x81 x", u"\u30FBx"},           // a lead byte takes the byte after it
      {"\x81\x7F@", u"\u30FB@"},
      {std::string("\x81\0@", 3), std::u16string(u"\u30FB\0@", 3)},  // but not a null
  };
  for (const Case& c : cases) EXPECT_EQ(AnsiToUtf16(c.ansi), c.wide) << c.ansi;
}

TEST(CodePage, SingleBytesOutsideTheTableKeepTheirValueThroughARoundTrip) {
  for (const char* ansi : {"\x80", "\xA0", "\xFD", "\xFE", "\xFF"}) {
    const std::u16string wide = AnsiToUtf16(ansi);
    EXPECT_EQ(wide.size(), 1u) << static_cast<int>(static_cast<unsigned char>(ansi[0]));
    EXPECT_EQ(Utf16ToAnsi(wide), ansi);
  }
}

TEST(CodePage, ACharacterTheCodePageLacksBecomesAQuestionMark) {
  EXPECT_EQ(Utf16ToAnsi(u"a\u0E01b"), "a?b");  // a Thai letter
}

// Every one- and two-byte input: a lead byte with any second byte but a
// null is one unit, never an "@" or "\" of its own; and what a conversion gives comes
// back unchanged from a round trip. The one-pass link scanner relies on the
// latter: it converts once where repeated cuts convert again and again.
TEST(CodePage, EveryConvertedTextSurvivesARoundTrip) {
  int failures = 0;
  for (int first = 0; first < 256 && failures < 10; ++first) {
    for (int second = -1; second < 256 && failures < 10; ++second) {
      std::string ansi(1, static_cast<char>(first));
      if (second >= 0) ansi.push_back(static_cast<char>(second));
      const std::u16string wide = AnsiToUtf16(ansi);
      const std::u16string again = AnsiToUtf16(Utf16ToAnsi(wide));
      bool ok = again == wide;
      if (IsAnsiLeadByte(static_cast<unsigned char>(first)) && second != 0) {
        ok = ok && wide.size() == 1 && wide[0] >= 0x80;
      }
      if (!ok) {
        ++failures;
        ADD_FAILURE() << std::hex << first << " " << second;
      }
    }
  }
}

TEST(CodePage, LeadBytesAreThoseOfCodePage932) {
  struct Case { unsigned char byte; bool lead; };
  const Case cases[] = {{0x81, true}, {0x9F, true}, {0xE0, true}, {0xFC, true}, {0x40, false},
                        {0x5C, false}, {0x80, false}, {0xA0, false}, {0xDF, false}, {0xFD, false}};
  for (const Case& c : cases) EXPECT_EQ(IsAnsiLeadByte(c.byte), c.lead) << static_cast<int>(c.byte);
}

}  // namespace
