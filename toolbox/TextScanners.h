// The text scanners that cut URLs, mail addresses and words out of a line.
// Texts are byte strings in the system's code page; the scanners work on its
// characters (base/CodePage.h). Portable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The two character sets. Only characters 32..127 can be members:
// mail addresses: A-Z a-z 0-9 ! $ % & * - . / ; = ? @ ^ _ ~
// URLs:           A-Z a-z 0-9 # % & - . / : = ? @ _ ~
bool IsMailAddressChar(char16_t c);
bool IsUrlChar(char16_t c);

// Cut the first token out of `text`: the run of set characters around the
// first "@" (CutMailAddress) or "://" (CutUrl), counted in characters. The
// token goes to the second argument and is deleted from the text, which is
// then converted back from UTF-16. Without a marker the output is empty and
// the text stays byte for byte as it was. Every call that finds a token
// makes the text shorter, so callers may repeat until the output is empty.
void CutMailAddress(std::string& text, std::string& address);
void CutUrl(std::string& text, std::string& url);

// What repeating CutUrl until it yields nothing, then CutMailAddress until
// it yields nothing, gives on `text`: the same tokens in the same order and
// the same remaining text, in one pass instead of one conversion of the
// whole text per token.
struct LinkTokens {
  std::vector<std::string> urls;
  std::vector<std::string> mailAddresses;
  std::string rest;
};
LinkTokens CutAllLinks(std::string_view text);

// Drops every leading character with a code of 32 or less, then cuts the
// first word: the text up to the first space, which goes with it (further
// spaces stay for the next call). Without a space the word is the whole
// trimmed text and the text becomes empty.
void CutFirstWord(std::string& text, std::string& word);
