#include <windows.h>

#include <climits>

#include "base/CodePage.h"
#include "base/Error.h"

// char16_t and wchar_t are both UTF-16 units on Windows; the buffers below
// are handed to the system as wchar_t.
static_assert(sizeof(char16_t) == sizeof(wchar_t));

namespace {
int CheckedLength(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) throw Error("text too long to convert");
  return static_cast<int>(size);
}
}  // namespace

std::u16string AnsiToUtf16(std::string_view text) {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) throw Error("MultiByteToWideChar failed");
  std::u16string wide(static_cast<std::size_t>(needed), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<LPWSTR>(wide.data()), needed);
  return wide;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  const auto* source = reinterpret_cast<LPCWSTR>(text.data());
  const int needed = WideCharToMultiByte(CP_ACP, 0, source, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) throw Error("WideCharToMultiByte failed");
  std::string ansi(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, source, length, ansi.data(), needed, nullptr, nullptr);
  return ansi;
}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
