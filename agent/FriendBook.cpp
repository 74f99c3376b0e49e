#include "agent/FriendBook.h"

#include <algorithm>

#include "base/CodePage.h"
#include "toolbox/WindowList.h"

int TOtomodatiRecList::AddRec(const TOtomodatiRec& rec) {
  recs_.push_back(rec);
  return Count() - 1;
}

TOtomodatiRec TOtomodatiRecList::GetRec(int index) const {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return recs_[static_cast<std::size_t>(index)];
}

void TOtomodatiRecList::DeleteRec(int index) {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  recs_.erase(recs_.begin() + index);
}

namespace {

constexpr std::size_t kUnusedBytes = 4;

// Reads the friend book's fields one after the other; a field that runs
// past the end takes what there is, and from then on the reader is done.
class RecordReader {
 public:
  explicit RecordReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool AtEnd() const { return position_ >= bytes_.size(); }

  void Skip(std::size_t count) { position_ += std::min(count, Left()); }

  // A length byte and its text, cut at the first zero byte.
  std::string Text() {
    if (AtEnd()) return {};
    const std::size_t length = bytes_[position_++];
    const std::size_t available = std::min(length, Left());
    const auto* start = reinterpret_cast<const char*>(bytes_.data() + position_);
    position_ += available;
    const std::string_view text(start, available);
    return std::string(text.substr(0, text.find('\0')));
  }

 private:
  std::size_t Left() const { return bytes_.size() - position_; }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace

std::vector<TOtomodatiRec> ReadFriendBook(std::span<const std::uint8_t> bytes) {
  std::vector<TOtomodatiRec> records;
  RecordReader reader(bytes);
  // Every record takes at least one byte, so this ends.
  while (!reader.AtEnd()) {
    TOtomodatiRec rec;
    reader.Skip(kUnusedBytes);
    rec.PetName = reader.Text();
    rec.OwnerName = reader.Text();
    rec.MailAddress = reader.Text();
    reader.Skip(kUnusedBytes);
    records.push_back(std::move(rec));
  }
  return records;
}

std::vector<TOtomodatiRec> ReadFriendBook(std::string_view bytes) {
  return ReadFriendBook(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                      bytes.size()));
}

std::string FriendBookUnreadableMessage(std::string_view path, std::string_view reason) {
  std::string message = "おともだち帳を読み込めませんでした。\n\n";
  message += path;
  if (!reason.empty()) {
    message += "\n\n";
    message += reason;
  }
  return message;
}

std::string FriendBookTooLargeMessage(std::string_view path) {
  std::string message = "おともだち帳が大きすぎるため読み込みませんでした（";
  message += std::to_string(kFriendBookMaxBytes / (1024 * 1024));
  message += "MB まで）。\n\n";
  message += path;
  return message;
}

void KeepSelectedFriends(TOtomodatiRecList& friends, const std::vector<bool>& selected) {
  for (std::size_t i = selected.size(); i-- > 0;) {
    const int index = static_cast<int>(i);
    if (!selected[i] && index < friends.Count()) friends.DeleteRec(index);
  }
}

FriendAddressTexts MakeFriendAddressTexts(const TOtomodatiRecList& chosen) {
  FriendAddressTexts texts;
  for (int i = 0; i < chosen.Count(); ++i) {
    const TOtomodatiRec rec = chosen.GetRec(i);
    texts.full += rec.MailAddress + " (" + rec.OwnerName + "),";
    texts.brief += rec.MailAddress + ",";
  }
  // Without the trailing comma.
  if (!texts.full.empty()) texts.full.pop_back();
  if (!texts.brief.empty()) texts.brief.pop_back();
  return texts;
}

FriendChoice ChooseAddressText(const FriendAddressTexts& texts, const FriendPrompt& ask) {
  FriendChoice choice;
  if (texts.brief.size() > kAddressTextLimit && ask(kBriefTooLongQuestion, pbOkCancel) != paOk) {
    return choice;
  }
  choice.text = texts.full;
  if (texts.full.size() > kAddressTextLimit) {
    switch (ask(kFullTooLongQuestion, pbYesNoCancel)) {
      case paYes:
        choice.text = texts.brief;
        break;
      case paNo:
        break;
      default:
        choice.text.clear();
        return choice;
    }
  }
  choice.accepted = true;
  return choice;
}

std::vector<std::string_view> SplitCharacters(std::string_view text) {
  std::vector<std::string_view> characters;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length =
        IsAnsiLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

ColumnFit FitColumnText(std::span<const int> charWidths, int dotsWidth, int room) {
  const std::size_t count = charWidths.size();
  if (count == 0) return {};
  // `pen` is where the next character would go, counted from the first one's
  // left edge; 64 bits, so that no sum of widths can overflow.
  long long pen = charWidths[0];
  for (std::size_t i = 1; i < count; ++i) {
    if (pen + dotsWidth > room) return {i - 1, true};
    pen += charWidths[i];
  }
  return {count, false};
}

std::vector<int> ColumnLefts(int itemLeft, std::span<const int> sectionWidths, int margin) {
  std::vector<int> lefts;
  int left = itemLeft;
  for (const int width : sectionWidths) {
    lefts.push_back(left);
    left += width - margin;
  }
  return lefts;
}
