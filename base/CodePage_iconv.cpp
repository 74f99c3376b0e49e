// The native converter: iconv's "CP932", made to agree with the system's
// code page 932 where iconv has no answer. Windows maps the single bytes
// 0x80, 0xA0 and 0xFD..0xFF to U+0080, U+F8F0 and U+F8F1..U+F8F3 and back;
// a sequence that is no character becomes U+30FB, and a lead byte takes the
// byte after it unless that is a null.
#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstring>

#include "base/CodePage.h"
#include "base/Error.h"

namespace {

constexpr char16_t kDefaultChar = u'\u30FB';
constexpr char kDefaultByte = '?';
constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

bool IsLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// The single bytes iconv rejects but the system maps; 0 when none.
char16_t SingleByteExtra(unsigned char byte) {
  switch (byte) {
    case 0x80: return u'\u0080';
    case 0xA0: return u'\uF8F0';
    case 0xFD: return u'\uF8F1';
    case 0xFE: return u'\uF8F2';
    case 0xFF: return u'\uF8F3';
    default: return 0;
  }
}

unsigned char ExtraToSingleByte(char16_t unit) {
  switch (unit) {
    case u'\u0080': return 0x80;
    case u'\uF8F0': return 0xA0;
    case u'\uF8F1': return 0xFD;
    case u'\uF8F2': return 0xFE;
    case u'\uF8F3': return 0xFF;
    default: return 0;
  }
}

// One conversion descriptor per direction and thread, opened on first use.
class Descriptor {
 public:
  Descriptor(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw Error("iconv cannot convert CP932");
  }
  ~Descriptor() { iconv_close(cd_); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  iconv_t get() const {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    return cd_;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::u16string AnsiToUtf16(std::string_view text) {
  thread_local const Descriptor decoder(kUtf16, "CP932");
  const iconv_t cd = decoder.get();
  // No character of the code page takes fewer bytes than UTF-16 units.
  std::u16string wide(text.size(), u'\0');
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* out = reinterpret_cast<char*>(wide.data());
  std::size_t outLeft = wide.size() * sizeof(char16_t);
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) throw Error("iconv failed");
    // Not a character: the system's rules, one unit for what it takes.
    const auto byte = static_cast<unsigned char>(*in);
    char16_t unit = SingleByteExtra(byte);
    std::size_t taken = 1;
    if (unit == 0) {
      unit = kDefaultChar;
      if (IsLead(byte) && inLeft >= 2 && in[1] != '\0') taken = 2;
    }
    std::memcpy(out, &unit, sizeof unit);
    out += sizeof unit;
    outLeft -= sizeof unit;
    in += taken;
    inLeft -= taken;
  }
  wide.resize(wide.size() - outLeft / sizeof(char16_t));
  return wide;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  thread_local const Descriptor encoder("CP932", kUtf16);
  const iconv_t cd = encoder.get();
  std::string ansi(text.size() * 2, '\0');  // at most two bytes per unit
  char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
  std::size_t inLeft = text.size() * sizeof(char16_t);
  char* out = ansi.data();
  std::size_t outLeft = ansi.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) throw Error("iconv failed");
    char16_t unit;
    std::memcpy(&unit, in, sizeof unit);
    const unsigned char extra = ExtraToSingleByte(unit);
    *out++ = extra != 0 ? static_cast<char>(extra) : kDefaultByte;
    --outLeft;
    in += sizeof unit;
    inLeft -= sizeof unit;
  }
  ansi.resize(ansi.size() - outLeft);
  return ansi;
}

bool IsAnsiLeadByte(unsigned char byte) { return IsLead(byte); }
