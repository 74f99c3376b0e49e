// Any bytes as a friend book: the reader must never read past the end (the
// sanitizers watch the buffer, which is exactly the input), must hold no
// more than one record per 11 bytes plus one and no more text than the file
// has, and must give texts of at most 255 bytes without a zero byte, which
// written back as a friend book read back the same. The texts the dialog
// builds from the records, the questions and the column cut run on them too.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "agent/FriendBook.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string Encode(const std::vector<TOtomodatiRec>& records) {
  std::string bytes;
  for (const TOtomodatiRec& rec : records) {
    bytes.append(4, '\x01');
    for (const std::string* text : {&rec.PetName, &rec.OwnerName, &rec.MailAddress}) {
      bytes += static_cast<char>(text->size());
      bytes += *text;
    }
    bytes.append(4, '\x02');
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<TOtomodatiRec> records = ReadFriendBook(std::span<const std::uint8_t>(data, size));
  Check(records.size() <= size / 11 + 1);
  std::size_t textBytes = 0;
  for (const TOtomodatiRec& rec : records) {
    for (const std::string* text : {&rec.PetName, &rec.OwnerName, &rec.MailAddress}) {
      Check(text->size() <= 255);
      Check(text->find('\0') == std::string::npos);
      textBytes += text->size();
    }
  }
  Check(textBytes <= size);
  Check(ReadFriendBook(Encode(records)) == records);

  // The dialog's OK on every second friend, with answers taken from the data.
  TOtomodatiRecList list;
  std::vector<bool> selected;
  for (const TOtomodatiRec& rec : records) {
    list.AddRec(rec);
    selected.push_back(selected.size() % 2 == 0);
  }
  KeepSelectedFriends(list, selected);
  Check(list.Count() == static_cast<int>((records.size() + 1) / 2));
  const FriendAddressTexts texts = MakeFriendAddressTexts(list);
  Check(texts.full.size() >= texts.brief.size());
  std::size_t asked = 0;
  const FriendChoice choice = ChooseAddressText(texts, [&](const std::string&, PromptButtons) {
    const int answers[] = {paOk, paCancel, paYes, paNo, 0};
    return answers[(size > asked ? data[asked++] : 0) % 5];
  });
  Check(!choice.accepted || choice.text == texts.full || choice.text == texts.brief);

  // Each text split into characters and fitted with the bytes as widths.
  for (const TOtomodatiRec& rec : records) {
    const auto characters = SplitCharacters(rec.PetName);
    std::string joined;
    std::vector<int> widths;
    for (const std::string_view c : characters) {
      joined += c;
      widths.push_back(static_cast<unsigned char>(c[0]) % 17);
    }
    Check(joined == rec.PetName);
    const ColumnFit fit = FitColumnText(widths, 9, 92);
    Check(fit.shown <= widths.size());
    Check(fit.ellipsis ? fit.shown < widths.size() : fit.shown == widths.size());
  }
  return 0;
}
