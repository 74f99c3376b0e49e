// Any file text: reading and writing back must be stable after one round
// (the second rewrite equals the first), and written keys must read back as
// written or be refused, also after a rewrite.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "components/IniFile.h"

namespace {

std::string Rewrite(const std::string& text) {
  TIniContents ini;
  ini.SetText(text);
  return ini.Text();
}

struct Written {
  std::string section;
  std::string key;
  std::string value;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string file = input.ConsumeRandomLengthString(4096);

  TIniContents ini;
  ini.SetText(file);
  const std::string once = ini.Text();
  if (Rewrite(once) != once) std::abort();

  std::vector<Written> writes;
  while (input.remaining_bytes() > 0 && writes.size() < 8) {
    Written w{input.ConsumeRandomLengthString(16), input.ConsumeRandomLengthString(16),
              input.ConsumeRandomLengthString(32)};
    const std::string before = ini.Text();
    try {
      ini.WriteString(w.section, w.key, w.value);
    } catch (const IniNameError&) {
      if (ini.Text() != before) std::abort();  // a refused write changes nothing
      continue;
    }
    if (ini.ReadString(w.section, w.key, "\x01") != w.value) std::abort();
    writes.push_back(w);
  }

  const std::string text = ini.Text();
  TIniContents again;
  again.SetText(text);
  if (again.Text() != text) std::abort();
  // The last write of each name wins, in memory and after a rewrite alike.
  for (const Written& w : writes) {
    if (again.ReadString(w.section, w.key, "\x01") != ini.ReadString(w.section, w.key, "\x01")) {
      std::abort();
    }
  }
  return 0;
}
