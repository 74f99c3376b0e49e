// The link scanners on arbitrary bytes: CutAllLinks must give exactly what
// repeated CutUrl, then repeated CutMailAddress give (tokens, order, rest);
// every token must be a run of its set holding its marker; a converted text
// must survive a round trip; CutFirstWord must only ever shorten the text.
// Any difference aborts. An input whose first byte is odd is read as a list
// of pieces that matter to the scanners (markers, characters of one set
// only, double-byte characters, bytes that are no character), so that the
// fuzzer reaches texts with many tokens quickly; otherwise the bytes are the
// text.
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "base/CodePage.h"
#include "toolbox/TextScanners.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Pieces picked by the bytes of a piece-mode input.
const char* const kPieces[] = {
    "://", "@", ":", "/", "http", "a", "Z", "9", ".", "-", "?", "#", "%", "~", "_",
    "!", "$", "*", ";", "^", "+", ",", " ", "(", "\\", "\t",
    "\x83\x5C", "\x95\x5C", "\x81\x40", "\x83\x41", "\x81", "\x85\x40", "\x80", "\xFF",
};

std::string TextOf(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || (data[0] & 1) == 0) return std::string(reinterpret_cast<const char*>(data), size);
  std::string text;
  for (std::size_t i = 1; i < size; ++i) text += kPieces[data[i] % std::size(kPieces)];
  return text;
}

void CheckToken(const std::string& token, const char* marker, bool (*member)(char16_t)) {
  Check(token.find(marker) != std::string::npos);
  for (const char c : token) Check(member(static_cast<unsigned char>(c)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input = TextOf(data, size);

  const std::u16string wide = AnsiToUtf16(input);
  Check(wide.size() <= input.size());
  Check(AnsiToUtf16(Utf16ToAnsi(wide)) == wide);

  LinkTokens expected;
  std::string text = input;
  std::string token;
  for (CutUrl(text, token); !token.empty(); CutUrl(text, token)) expected.urls.push_back(token);
  for (CutMailAddress(text, token); !token.empty(); CutMailAddress(text, token)) {
    expected.mailAddresses.push_back(token);
  }
  expected.rest = text;

  const LinkTokens actual = CutAllLinks(input);
  Check(actual.urls == expected.urls);
  Check(actual.mailAddresses == expected.mailAddresses);
  Check(actual.rest == expected.rest);
  for (const std::string& url : actual.urls) CheckToken(url, "://", IsUrlChar);
  for (const std::string& address : actual.mailAddresses) CheckToken(address, "@", IsMailAddressChar);
  if (actual.urls.empty() && actual.mailAddresses.empty()) Check(actual.rest == input);

  std::string words = input;
  while (!words.empty()) {
    const std::size_t before = words.size();
    std::string word;
    CutFirstWord(words, word);
    Check(words.size() < before);
    Check(word.find(' ') == std::string::npos);
    Check(word.empty() || static_cast<unsigned char>(word[0]) > 32);
  }
  return 0;
}
