// The host's friend book ("おともだち帳") and what the paste dialog decides
// from it: the records read from the file, the address texts built from the
// chosen friends, the two questions about texts over 255 bytes, and how a
// column of the dialog's list cuts a text that is too wide. Portable: the
// dialog (FriendDialog_win) carries these decisions out.
//
// The file is a sequence of records up to its end, with no header:
//   4 bytes       not used
//   1 byte  L1    then L1 bytes: the pet's name (Shift-JIS)
//   1 byte  L2    then L2 bytes: the owner's name
//   1 byte  L3    then L3 bytes: the mail address
//   4 bytes       not used
// A text ends at its length or at its first zero byte, whichever comes first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One friend.
struct TOtomodatiRec {
  std::string PetName;
  std::string OwnerName;
  std::string MailAddress;

  friend bool operator==(const TOtomodatiRec&, const TOtomodatiRec&) = default;
};

// The dialog's friends, in file order; the list owns copies of its records.
class TOtomodatiRecList {
 public:
  // Appends a copy of `rec`; its index.
  int AddRec(const TOtomodatiRec& rec);
  // A copy of the record at `index`; throws ListIndexError outside
  // 0..Count()-1.
  TOtomodatiRec GetRec(int index) const;
  // Removes the record at `index`; throws ListIndexError outside the list.
  void DeleteRec(int index);
  void Clear() { recs_.clear(); }
  int Count() const { return static_cast<int>(recs_.size()); }

 private:
  std::vector<TOtomodatiRec> recs_;
};

// The records of a friend book file's bytes, in order. A file that ends
// inside a record gives that record with what it has (the texts it lacks,
// or the rest of a text it lacks, empty) as its last. Never reads past the
// end; holds at most one record per 11 bytes of the file, plus one.
std::vector<TOtomodatiRec> ReadFriendBook(std::span<const std::uint8_t> bytes);
std::vector<TOtomodatiRec> ReadFriendBook(std::string_view bytes);

// A friend book is read whole into memory; a file larger than this is no
// friend book the host wrote (ten thousand friends take well under 1 MiB)
// and is not read.
inline constexpr std::uint64_t kFriendBookMaxBytes = 8u * 1024 * 1024;

// How long the friend dialog waits at most, as it closes, for the window it
// took the foreground from to have it again (at once but on a busy
// machine), and how long that window must have kept it.
inline constexpr unsigned kForegroundBackMs = 5000;
inline constexpr unsigned kForegroundSteadyMs = 200;

// What the dialog tells the user when the friend book is not there, or is
// there but cannot be read (its path and the reason are named).
inline constexpr char kFriendBookMissingMessage[] =
    "おともだち帳がみつかりません。添付書類フォルダの設定を正しく行ってください";
std::string FriendBookUnreadableMessage(std::string_view path, std::string_view reason);
std::string FriendBookTooLargeMessage(std::string_view path);

// OK in the dialog: from the last list item to the first, each one that is
// not selected is deleted from `friends`, which then holds the chosen
// friends in file order. `selected` has one entry per list item; an item
// without a record is passed over.
void KeepSelectedFriends(TOtomodatiRecList& friends, const std::vector<bool>& selected);

// The chosen friends' addresses as one text: the full one names the owners
// ("A1 (太郎),A2 (花子)"), the short one does not ("A1,A2").
struct FriendAddressTexts {
  std::string full;
  std::string brief;
};
FriendAddressTexts MakeFriendAddressTexts(const TOtomodatiRecList& chosen);

// Texts longer than this many bytes are asked about before they are used:
// the host's recipients field takes no more.
inline constexpr std::size_t kAddressTextLimit = 255;

// The two questions, asked in this order, and the buttons and answers of a
// question (the values of MessageBoxA's MB_OKCANCEL, MB_YESNOCANCEL, IDOK,
// IDCANCEL, IDYES and IDNO).
inline constexpr char kBriefTooLongQuestion[] =
    "メールアドレスを短縮しても２５５文字以上になります。よろしいですか？";
inline constexpr char kFullTooLongQuestion[] =
    "メールアドレスが２５５文字以上です。短縮しますか？\n\n"
    "はい=アドレスのみ　いいえ=名前も　キャンセル=中止";
enum PromptButtons : unsigned { pbOkCancel = 1, pbYesNoCancel = 3 };
enum PromptAnswer : int { paOk = 1, paCancel = 2, paYes = 6, paNo = 7 };
// Asks the user `question` with `buttons`; the answer.
using FriendPrompt = std::function<int(const std::string& question, PromptButtons buttons)>;

// What OK gives: accepted with the text for the clipboard, or cancelled at
// a question (the clipboard is then left as it was).
struct FriendChoice {
  bool accepted = false;
  std::string text;
};
// The short text over the limit asks first (OK goes on); then the full text
// over the limit asks whether to use the short one (Yes: short, No: full).
// Any other answer cancels.
FriendChoice ChooseAddressText(const FriendAddressTexts& texts, const FriendPrompt& ask);

// The characters of `text`, each a view of its bytes: a lead byte takes the
// byte after it (one double-byte character); a lead byte at the very end
// stands alone.
std::vector<std::string_view> SplitCharacters(std::string_view text);

// How much of a column's text is drawn. The first character always is;
// before each further character the dialog tries "..." where it would go,
// and when the end of the dots passes the column's room, the dots replace
// the last character drawn and the rest of the text is left out.
//   charWidths  the width of each character
//   dotsWidth   the width of "..."
//   room        how far from the first character's left edge the dots may
//               end: the section's width less the margin on each side
struct ColumnFit {
  std::size_t shown = 0;  // characters drawn before the dots, or all of them
  bool ellipsis = false;  // "..." follows the shown characters
};
ColumnFit FitColumnText(std::span<const int> charWidths, int dotsWidth, int room);

// The list's columns follow the header's sections: column k starts at the
// left of column k-1 plus that section's width less the margin, so each
// column starts `margin` pixels further left of its section than the one
// before. The left edges of the three columns.
inline constexpr int kColumnMargin = 4;
std::vector<int> ColumnLefts(int itemLeft, std::span<const int> sectionWidths, int margin = kColumnMargin);
