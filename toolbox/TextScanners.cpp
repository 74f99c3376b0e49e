// The text scanners. Both cut the run of set characters around the first
// marker, counted in characters: the text goes to UTF-16 so that a
// double-byte character is one unit and its second byte is never taken for
// "@" or an ASCII letter.
#include <optional>

#include "toolbox/TextScanners.h"

#include "base/CodePage.h"

namespace {

struct CharSet {
  bool member[128] = {};
};

constexpr CharSet MakeSet(std::u16string_view punctuation) {
  CharSet set;
  for (char16_t c = u'A'; c <= u'Z'; ++c) set.member[c] = true;
  for (char16_t c = u'a'; c <= u'z'; ++c) set.member[c] = true;
  for (char16_t c = u'0'; c <= u'9'; ++c) set.member[c] = true;
  for (const char16_t c : punctuation) set.member[c] = true;
  return set;
}

constexpr CharSet kMailSet = MakeSet(u"!$%&*-./;=?@^_~");
constexpr CharSet kUrlSet = MakeSet(u"#%&-./:=?@_~");

bool InSet(const CharSet& set, char16_t c) { return c >= 32 && c <= 127 && set.member[c]; }

struct Scanner {
  std::u16string_view marker;
  const CharSet& set;
};
const Scanner kMailScanner{u"@", kMailSet};
const Scanner kUrlScanner{u"://", kUrlSet};

struct Span {
  std::size_t begin;
  std::size_t end;
};

// The token around the first marker at or after `from`: backward from just
// before the marker while characters are in the set, then forward from there.
std::optional<Span> FindToken(std::u16string_view text, std::size_t from, const Scanner& scanner) {
  const std::size_t at = text.find(scanner.marker, from);
  if (at == std::u16string_view::npos) return std::nullopt;
  std::size_t begin = at;
  while (begin > 0 && InSet(scanner.set, text[begin - 1])) --begin;
  std::size_t end = begin;
  while (end < text.size() && InSet(scanner.set, text[end])) ++end;
  return Span{begin, end};
}

void CutToken(std::string& text, std::string& token, const Scanner& scanner) {
  token.clear();
  std::u16string wide = AnsiToUtf16(text);
  const std::optional<Span> span = FindToken(wide, 0, scanner);
  if (!span) return;  // the text stays as it was, not a round trip of it
  token = Utf16ToAnsi(std::u16string_view(wide).substr(span->begin, span->end - span->begin));
  wide.erase(span->begin, span->end - span->begin);
  text = Utf16ToAnsi(wide);
}

// Every token that repeated cuts would give, and the text they would leave.
// A token ends before a character outside the set (or at the end), and so
// does the text before it, so deleting it joins two characters outside the
// set: no marker and no run forms across the joint. The next cut's marker is
// therefore the first one after the token just cut, and one scan from left
// to right finds them all.
std::u16string CutEvery(std::u16string_view text, const Scanner& scanner, std::vector<std::string>& tokens) {
  std::u16string rest;
  std::size_t from = 0;
  while (const std::optional<Span> span = FindToken(text, from, scanner)) {
    rest.append(text.substr(from, span->begin - from));
    tokens.push_back(Utf16ToAnsi(text.substr(span->begin, span->end - span->begin)));
    from = span->end;
  }
  rest.append(text.substr(from));
  return rest;
}

}  // namespace

bool IsMailAddressChar(char16_t c) { return InSet(kMailSet, c); }
bool IsUrlChar(char16_t c) { return InSet(kUrlSet, c); }

void CutMailAddress(std::string& text, std::string& address) { CutToken(text, address, kMailScanner); }
void CutUrl(std::string& text, std::string& url) { CutToken(text, url, kUrlScanner); }

// The mail pass runs on what the URL pass left: characters such as "!" or
// ";" on both sides of a URL belong to the mail set only, and join into one
// mail run once the URL is gone.
LinkTokens CutAllLinks(std::string_view text) {
  LinkTokens tokens;
  const std::u16string wide = AnsiToUtf16(text);
  const std::u16string withoutUrls = CutEvery(wide, kUrlScanner, tokens.urls);
  const std::u16string rest = CutEvery(withoutUrls, kMailScanner, tokens.mailAddresses);
  // Repeated cuts convert the text back only when they cut something.
  if (tokens.urls.empty() && tokens.mailAddresses.empty()) {
    tokens.rest.assign(text);
  } else {
    tokens.rest = Utf16ToAnsi(rest);
  }
  return tokens;
}

void CutFirstWord(std::string& text, std::string& word) {
  // Bytes of 32 or less never stand inside a double-byte character.
  std::size_t start = 0;
  while (start < text.size() && static_cast<unsigned char>(text[start]) <= 32) ++start;
  text.erase(0, start);
  const std::size_t space = text.find(' ');
  if (space == std::string::npos) {
    word = std::move(text);
    text.clear();
  } else {
    word = text.substr(0, space);
    text.erase(0, space + 1);
  }
}
