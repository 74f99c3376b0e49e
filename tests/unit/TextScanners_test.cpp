// The text scanners of the link window and the mail commands: the two
// character sets, CutMailAddress, CutUrl, CutFirstWord, and the folder part
// of a path.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "toolbox/TextScanners.h"

namespace {

constexpr std::u16string_view kAlphanumerics = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Each set exactly: letters, digits and the listed punctuation from 32 to
// 127, nothing else; a unit whose low byte is a member is not one.
TEST(ScannerCharacterSets, HoldExactlyTheirMembers) {
  struct Case { const char* name; bool (*member)(char16_t); std::u16string_view punctuation; };
  const Case cases[] = {
      {"mail", IsMailAddressChar, u"!$%&*-./;=?@^_~"},
      {"url", IsUrlChar, u"#%&-./:=?@_~"},
  };
  for (const Case& c : cases) {
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
      const auto unit = static_cast<char16_t>(code);
      const bool expected = kAlphanumerics.find(unit) != std::u16string_view::npos ||
                            c.punctuation.find(unit) != std::u16string_view::npos;
      if (c.member(unit) != expected) ADD_FAILURE() << c.name << " U+" << std::hex << static_cast<unsigned>(code);
    }
  }
  EXPECT_FALSE(IsMailAddressChar(u'+'));
  EXPECT_FALSE(IsUrlChar(u'+'));
  EXPECT_TRUE(IsUrlChar(u':'));
  EXPECT_FALSE(IsMailAddressChar(u':'));
}

struct CutCase {
  std::string text;
  std::string token;
  std::string rest;
};

void ExpectCut(void (*cut)(std::string&, std::string&), const CutCase& c) {
  std::string text = c.text;
  std::string token = "stale";
  cut(text, token);
  EXPECT_EQ(token, c.token) << "in: " << c.text;
  EXPECT_EQ(text, c.rest) << "in: " << c.text;
}

TEST(CutMailAddress, CutsTheRunOfMailCharactersAroundTheFirstAtSign) {
  const CutCase cases[] = {
      {"連絡先:taro@example.jp、よろしく", "taro@example.jp", "連絡先:、よろしく"},
      {"taro+news@example.jp", "news@example.jp", "taro+"},
      {"to a@b.jp.", "a@b.jp.", "to "},              // the full stop is a mail character
      {"mailto:a@b", "a@b", "mailto:"},
      {"a@b c@d", "a@b", " c@d"},                     // only the first per call
      {"a @ b", "@", "a  b"},                         // a lone "@" is a token
      {"@abc def", "@abc", " def"},
      {"abc@", "abc@", ""},
      {"@@@", "@@@", ""},
      {"@", "@", ""},
      {"!$%&*-./;=?^_~Az09@x", "!$%&*-./;=?^_~Az09@x", ""},
      // the printable characters that end a mail token
      {"\"a@b\"", "a@b", "\"\""}, {"<a@b>", "a@b", "<>"}, {"(a@b)", "a@b", "()"},
      {"[a@b]", "a@b", "[]"}, {"{a@b}", "a@b", "{}"}, {"'a@b'", "a@b", "''"},
      {"x,a@b", "a@b", "x,"}, {"x`a@b", "a@b", "x`"}, {"x|a@b", "a@b", "x|"},
      {"x#a@b", "a@b", "x#"}, {"x\\a@b", "a@b", "x\\"}, {"x:a@b", "a@b", "x:"},
      {"http://user@host/", "//user@host/", "http:"},  // "/" is a mail character, ":" is not
  };
  for (const CutCase& c : cases) ExpectCut(CutMailAddress, c);
}

// A double-byte character is one character: its second byte is never "@"
// or a letter, and its bytes come back intact.
TEST(CutMailAddress, ReadsDoubleByteCharactersAsWholeCharacters) {
  const CutCase cases[] = {
      {"氏名\x81\x40山田", "", "氏名\x81\x40山田"},                     // full-width space
      {"メール\x81\x40user@example.com", "user@example.com", "メール\x81\x40"},
      {"\x83\x41@b", "@b", "\x83\x41"},                               // ア, not "A@b"
      {"ソ" "x@y" "表", "x@y", "ソ表"},                                // second bytes 0x5C
      {"\x83\x5C" "a@b" "\x95\x5C", "a@b", "\x83\x5C\x95\x5C"},
      {"ｱ@ｲ", "@", "ｱｲ"},                                             // half-width kana
      {"ｔａｒｏ＠ｅｘ．ｊｐ", "", "ｔａｒｏ＠ｅｘ．ｊｐ"},                  // full-width letters are no members
  };
  for (const CutCase& c : cases) ExpectCut(CutMailAddress, c);
}

TEST(CutUrl, CutsTheRunOfUrlCharactersAroundTheFirstSchemeSeparator) {
  const CutCase cases[] = {
      {"see http://example.com/a?b=1&c=%20#top now", "http://example.com/a?b=1&c=%20#top", "see  now"},
      {"(http://example.com/)", "http://example.com/", "()"},
      {"http://user@host.jp/path", "http://user@host.jp/path", ""},
      {"http://example.com/ページ", "http://example.com/", "ページ"},
      {"http://例え.jp/", "http://", "例え.jp/"},
      {"http://a.jp, b@c.jp.", "http://a.jp", ", b@c.jp."},
      {"http://a.jp/x!y", "http://a.jp/x", "!y"},
      {"<http://a.jp/$>", "http://a.jp/", "<$>"},
      {"x*http://a.jp;y", "http://a.jp", "x*;y"},
      {"a+http://b^c", "http://b", "a+^c"},
      {"://", "://", ""},
      {":///", ":///", ""},
      {"abc://", "abc://", ""},
      {"://abc def", "://abc", " def"},
      {"a://b c://d", "a://b", " c://d"},
  };
  for (const CutCase& c : cases) ExpectCut(CutUrl, c);
}

// Without the marker nothing is converted: bytes that are no character stay
// as they are, where a round trip would replace them.
TEST(CutUrlAndCutMailAddress, WithoutTheMarkerLeaveTheTextByteForByte) {
  const std::string texts[] = {
      "", "plain text", "http:/example.com", "http//x", "mailto:", "：／／", "＠",
      "\x85\x40", "abc\x85\x40 def\x81", "\x80\xA0\xFF", std::string("a\0b", 3),
  };
  for (const std::string& text : texts) {
    ExpectCut(CutMailAddress, {text, "", text});
    ExpectCut(CutUrl, {text, "", text});
  }
}

TEST(CutUrlAndCutMailAddress, ConvertTheTextBackWhenTheyCutAToken) {
  // A lead byte at the end is no character; once a token is cut the text
  // goes through the converter and it becomes the default character.
  ExpectCut(CutMailAddress, {"a@b \x81", "a@b", " \x81\x45"});
  ExpectCut(CutUrl, {"a://b \x81", "a://b", " \x81\x45"});
}

TEST(CutUrl, RepeatedCutsGiveTheUrlsInTextOrderThenNothing) {
  std::string text = "1 http://a.jp 2 ftp://b.jp/x 3 https://c.jp/?q=1 4";
  std::string url;
  std::vector<std::string> urls;
  for (CutUrl(text, url); !url.empty(); CutUrl(text, url)) urls.push_back(url);
  EXPECT_EQ(urls, (std::vector<std::string>{"http://a.jp", "ftp://b.jp/x", "https://c.jp/?q=1"}));
  EXPECT_EQ(text, "1  2  3  4");
  CutUrl(text, url);
  EXPECT_EQ(url, "");
}

TEST(CutAllLinks, ListsUrlsThenMailAddressesAndTheRest) {
  struct Case {
    std::string text;
    std::vector<std::string> urls;
    std::vector<std::string> mails;
    std::string rest;
  };
  const Case cases[] = {
      {"http://a.jp, b@c.jp.", {"http://a.jp"}, {"b@c.jp."}, ", "},
      {"http://user@host.jp/path", {"http://user@host.jp/path"}, {}, ""},
      // "!" and ";" belong to mail addresses only: once the URL is cut they
      // join the characters around it into one mail run.
      {"x!http://a.jp;y@z", {"http://a.jp"}, {"x!;y@z"}, ""},
      {"a@b http://c/ d@e", {"http://c/"}, {"a@b", "d@e"}, "  "},
      {"no links here\x81", {}, {}, "no links here\x81"},
      {"", {}, {}, ""},
  };
  for (const Case& c : cases) {
    const LinkTokens tokens = CutAllLinks(c.text);
    EXPECT_EQ(tokens.urls, c.urls) << c.text;
    EXPECT_EQ(tokens.mailAddresses, c.mails) << c.text;
    EXPECT_EQ(tokens.rest, c.rest) << c.text;
  }
}

TEST(CutFirstWord, TrimsControlsAndSpacesThenCutsUpToTheFirstSpace) {
  const CutCase cases[] = {
      {"  alpha beta", "alpha", "beta"},
      {"alpha", "alpha", ""},
      {"   ", "", ""},
      {"", "", ""},
      {"alpha  beta", "alpha", " beta"},      // further spaces stay
      {"alpha ", "alpha", ""},
      {"\t\r\n\x01\x1F alpha beta", "alpha", "beta"},
      {std::string("\0 x", 3), "x", ""},
      {"alpha\tbeta gamma", "alpha\tbeta", "gamma"},  // only the space separates
      {"宛先 太郎", "宛先", "太郎"},
      {"山田\x81\x40太郎 様", "山田\x81\x40太郎", "様"},   // the full-width space is no space
      {"\xA0x y", "\xA0x", "y"},
  };
  for (const CutCase& c : cases) ExpectCut(CutFirstWord, c);
}

}  // namespace
