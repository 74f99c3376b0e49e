// The agent's toolbox, portable half: the list of window handles, the
// program-wide timeout, and the text scanners that cut URLs, mail addresses
// and words out of a line. Texts are byte strings in the system's code page;
// the scanners work on its characters (see CodePage.h). No <windows.h>; the
// window, shell and file operations are in QuoUtils_win.h.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// ---------------------------------------------------------------- TIntegerList

// Get was asked for an entry the list does not have.
class ListIndexError : public std::out_of_range {
 public:
  explicit ListIndexError(int index);
  int Index() const { return index_; }

 private:
  int index_;
};

// An ordered list of 32-bit integers; the window enumerations fill it with
// window handles (user handles are 32-bit significant on every width).
class TIntegerList {
 public:
  // Appends `value` and returns its index.
  int Add(std::int32_t value);
  // The entry at a 0-based index; throws ListIndexError outside 0..Count()-1.
  std::int32_t Get(int index) const;
  int Count() const { return static_cast<int>(items_.size()); }
  void Clear() { items_.clear(); }

 private:
  std::vector<std::int32_t> items_;
};

// --------------------------------------------------------------------- Timeout

// One timeout for the whole program: StartTimeout replaces the previous one,
// also while a caller is still polling it. Neither call sleeps; callers poll.
// GUI thread only.
void StartTimeout(std::uint32_t durationMs);
// True once the clock has moved strictly more than the duration since
// StartTimeout, counted modulo 2^32 so that the counter's wrap-around after
// 49.7 days does no harm. Before any StartTimeout the duration is 0.
bool TimedOut();

// The system's millisecond counter (timeGetTime on Windows).
std::uint32_t SystemMilliseconds();

// The clock the timeout reads. Tests replace it; null restores
// SystemMilliseconds. Returns the clock it replaced.
using MillisecondClock = std::uint32_t (*)();
MillisecondClock SetTimeoutClock(MillisecondClock clock);

// ------------------------------------------------------------------- Scanners

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

// The folder part of a path: everything up to and including its last "\"
// or ":", found by characters (a double-byte character whose second byte is
// 0x5C is no backslash); empty when there is none.
std::string ExtractFolderPart(std::string_view path);
