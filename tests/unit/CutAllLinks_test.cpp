// CutAllLinks must give exactly what the link window's repeated cuts give:
// CutUrl until it yields nothing, then CutMailAddress until it yields
// nothing. Compared on tricky texts and on many generated ones.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "toolbox/TextScanners.h"

namespace {

LinkTokens RepeatedCuts(std::string text) {
  LinkTokens result;
  std::string token;
  for (CutUrl(text, token); !token.empty(); CutUrl(text, token)) result.urls.push_back(token);
  for (CutMailAddress(text, token); !token.empty(); CutMailAddress(text, token)) {
    result.mailAddresses.push_back(token);
  }
  result.rest = text;
  return result;
}

void ExpectSameAsRepeatedCuts(const std::string& text) {
  const LinkTokens expected = RepeatedCuts(text);
  const LinkTokens actual = CutAllLinks(text);
  EXPECT_EQ(actual.urls, expected.urls) << "text: " << ::testing::PrintToString(text);
  EXPECT_EQ(actual.mailAddresses, expected.mailAddresses) << "text: " << ::testing::PrintToString(text);
  EXPECT_EQ(actual.rest, expected.rest) << "text: " << ::testing::PrintToString(text);
}

TEST(CutAllLinks, MatchesRepeatedCutsOnTrickyTexts) {
  const std::string texts[] = {
      "", "://", "@", "@@", ":///@", "@://", "://@://", "a://b@c://d",
      "http://a.jp/ x@y.jp http://b.jp/", "x@y http://a.jp z@w",
      "x!http://a.jp;y@z",                      // a mail run that forms after the URL is cut
      "!!http://a.jp$$http://b.jp**@",          // several URLs glued by mail characters
      "$http://a@b/^", "^@http://x*", "@http://x", "http://x@",
      "a+b@c+d http://e+f",
      "メール\x81\x40user@example.com\x81\x40http://例え.jp/ソ表",
      "\x85\x40http://a\x85\x40@b",              // unassigned pairs whose second byte is "@"
      "http://a \x81", "\x81@", "@\x81", "\x80http://\xA0@\xFF",
      std::string("a\0@b\0http://c", 13),
      "://://://", "@ @ @", "http://a.jp,b@c.jp.",
      "no link \x85\x40 here\x81",               // nothing cut: the bytes stay as they are
  };
  for (const std::string& text : texts) ExpectSameAsRepeatedCuts(text);
}

// Texts glued from pieces that matter to the scanners: the markers and
// their halves, characters of one set only, separators, double-byte
// characters whose second byte is "@" or "\", and bytes that are no
// character.
TEST(CutAllLinks, MatchesRepeatedCutsOnGeneratedTexts) {
  const std::string pieces[] = {
      "://", "@", ":", "/", ":/", "//", "http", "a", "Z", "9", ".", "-", "?", "=", "&", "#", "%", "~", "_",
      "!", "$", "*", ";", "^", "+", ",", " ", "(", ")", "\\", "\t", "mailto:",
      "ソ", "表", "\x81\x40", "\x83\x41", "、", "ｱ", "\x81", "\x85\x40", "\x80", "\xA0", "\xFF",
      std::string(1, '\0'),
  };
  std::mt19937 random(20240601);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 30);
  for (int i = 0; i < 3000; ++i) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
    ExpectSameAsRepeatedCuts(text);
    if (HasFailure()) break;  // one failing text tells the story
  }
}

}  // namespace
