// The friend book: reading its records, the record list, the address texts
// of the chosen friends, the two questions about texts over 255 bytes, and
// how a column cuts a text that is too wide.
#include "agent/FriendBook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolbox/WindowList.h"

namespace {

// One record as the host writes it; the unused fields hold bytes that are
// no zero, so that reading them as a length or a text would show.
std::string Record(const std::string& pet, const std::string& owner, const std::string& mail) {
  std::string bytes = "\x11\x22\x33\x44";
  for (const std::string* text : {&pet, &owner, &mail}) {
    bytes += static_cast<char>(text->size());
    bytes += *text;
  }
  return bytes + "\x55\x66\x77\x88";
}

TEST(ReadFriendBook, ReadsEveryRecordInFileOrder) {
  using Recs = std::vector<TOtomodatiRec>;
  const std::string longest(255, 'x');
  struct Case { const char* name; std::string bytes; Recs expected; };
  const Case cases[] = {
      {"an empty file", "", {}},
      {"one friend", Record("ポチ", "山田太郎", "taro@example.jp"), {{"ポチ", "山田太郎", "taro@example.jp"}}},
      {"two friends, in order",
       Record("ポチ", "太郎", "a1@example.jp") + Record("タマ", "花子", "a2@example.jp"),
       {{"ポチ", "太郎", "a1@example.jp"}, {"タマ", "花子", "a2@example.jp"}}},
      {"three zero lengths take 11 bytes each", Record("", "", "") + Record("", "", "") + Record("", "", ""),
       {{"", "", ""}, {"", "", ""}, {"", "", ""}}},
      {"a zero byte ends a text; the next text starts after the declared length",
       Record(std::string("ab\0cd", 5), std::string("\0xyz", 4), "m@x") + Record("next", "", ""),
       {{"ab", "", "m@x"}, {"next", "", ""}}},
      {"texts of 255 bytes", Record(longest, longest, longest), {{longest, longest, longest}}},
      {"a second byte 0x5C stays in its character", Record("表ソ", "\x83\x5C", "a@b"),
       {{"表ソ", "\x83\x5C", "a@b"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadFriendBook(c.bytes), c.expected) << c.name;
}

TEST(ReadFriendBook, AFileThatEndsInsideARecordAddsWhatItHasAndStops) {
  const std::string whole = Record("ポチ", "太郎", "taro@example.jp");  // 4+1+4+1+4+1+15+4 bytes
  struct Case { std::size_t length; TOtomodatiRec expected; };
  const Case cases[] = {
      {1, {"", "", ""}},                           // inside the first unused field
      {4, {"", "", ""}},
      {5, {"", "", ""}},                           // the pet's length, none of its bytes
      {7, {"\x83\x7C", "", ""}},                    // half the pet's name: "ポ"
      {9, {"ポチ", "", ""}},
      {10, {"ポチ", "", ""}},                        // the owner's length
      {12, {"ポチ", "\x91\xBE", ""}},               // "太"
      {15, {"ポチ", "太郎", ""}},
      {19, {"ポチ", "太郎", "taro"}},
      {30, {"ポチ", "太郎", "taro@example.jp"}},    // inside the last unused field
      {33, {"ポチ", "太郎", "taro@example.jp"}},
  };
  for (const Case& c : cases) {
    const auto records = ReadFriendBook(std::string_view(whole).substr(0, c.length));
    ASSERT_EQ(records.size(), 1u) << c.length;
    EXPECT_EQ(records[0], c.expected) << c.length;
  }
  // A whole record and one more byte: a second, empty record.
  const auto records = ReadFriendBook(whole + Record("タマ", "花子", "a2@x.jp") + "\x01");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[2], (TOtomodatiRec{"", "", ""}));
  // Lengths that promise more than the file holds.
  EXPECT_EQ(ReadFriendBook(std::string("\0\0\0\0\xFF" "ab", 7)), (std::vector<TOtomodatiRec>{{"ab", "", ""}}));
}

TEST(ReadFriendBook, HoldsAtMostOneRecordPerElevenBytesPlusOne) {
  for (const std::size_t size : {0u, 1u, 10u, 11u, 12u, 22u, 23u, 1000u}) {
    const std::string zeros(size, '\0');
    EXPECT_EQ(ReadFriendBook(zeros).size(), size == 0 ? 0 : (size + 10) / 11) << size;
  }
}

TEST(TOtomodatiRecList, AddsGetsAndDeletesCopiesByIndex) {
  TOtomodatiRecList list;
  EXPECT_EQ(list.AddRec({"a", "b", "c"}), 0);
  EXPECT_EQ(list.AddRec({"d", "e", "f"}), 1);
  EXPECT_EQ(list.AddRec({"g", "h", "i"}), 2);
  TOtomodatiRec copy = list.GetRec(1);
  copy.PetName = "changed";
  EXPECT_EQ(list.GetRec(1), (TOtomodatiRec{"d", "e", "f"}));

  list.DeleteRec(1);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.GetRec(1), (TOtomodatiRec{"g", "h", "i"}));
  for (const int index : {-1, 2}) {
    EXPECT_THROW(list.GetRec(index), ListIndexError) << index;
    EXPECT_THROW(list.DeleteRec(index), ListIndexError) << index;
  }
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.AddRec({"x", "y", "z"}), 0);
}

TOtomodatiRecList ListOf(const std::vector<std::string>& mails) {
  TOtomodatiRecList list;
  for (const std::string& mail : mails) list.AddRec({"pet", "owner", mail});
  return list;
}

std::vector<std::string> MailsOf(const TOtomodatiRecList& list) {
  std::vector<std::string> mails;
  for (int i = 0; i < list.Count(); ++i) mails.push_back(list.GetRec(i).MailAddress);
  return mails;
}

TEST(KeepSelectedFriends, LeavesTheSelectedFriendsInFileOrder) {
  using Mails = std::vector<std::string>;
  struct Case { const char* name; std::vector<bool> selected; Mails kept; };
  const Case cases[] = {
      {"none selected", {false, false, false, false}, {}},
      {"all selected", {true, true, true, true}, {"a", "b", "c", "d"}},
      {"first and last", {true, false, false, true}, {"a", "d"}},
      {"the middle two", {false, true, true, false}, {"b", "c"}},
      {"more items than records: the extra ones are passed over", {false, true, false, true, false, true},
       {"b", "d"}},
      {"fewer items than records: the records after them stay", {false, true}, {"b", "c", "d"}},
  };
  for (const Case& c : cases) {
    TOtomodatiRecList list = ListOf({"a", "b", "c", "d"});
    KeepSelectedFriends(list, c.selected);
    EXPECT_EQ(MailsOf(list), c.kept) << c.name;
  }
}

TEST(MakeFriendAddressTexts, NamesTheOwnersInTheFullTextOnly) {
  TOtomodatiRecList two;
  two.AddRec({"ポチ", "太郎", "A1"});
  two.AddRec({"タマ", "花子", "A2"});
  const FriendAddressTexts texts = MakeFriendAddressTexts(two);
  EXPECT_EQ(texts.full, "A1 (太郎),A2 (花子)");
  EXPECT_EQ(texts.brief, "A1,A2");

  TOtomodatiRecList one;
  one.AddRec({"", "", "a@b"});
  EXPECT_EQ(MakeFriendAddressTexts(one).full, "a@b ()");
  EXPECT_EQ(MakeFriendAddressTexts(one).brief, "a@b");

  const FriendAddressTexts none = MakeFriendAddressTexts(TOtomodatiRecList{});
  EXPECT_EQ(none.full, "");
  EXPECT_EQ(none.brief, "");
}

// A prompt that answers from a script and records what it was asked.
struct ScriptedPrompt {
  std::vector<int> answers;
  std::vector<std::pair<std::string, PromptButtons>> asked;
  FriendPrompt Prompt() {
    return [this](const std::string& question, PromptButtons buttons) {
      asked.emplace_back(question, buttons);
      return asked.size() <= answers.size() ? answers[asked.size() - 1] : 0;
    };
  }
};

TEST(ChooseAddressText, AsksAboutTextsOver255BytesInTheirOrder) {
  const std::string b255(255, 'b'), b256(256, 'b'), f255(255, 'f'), f256(256, 'f'), f300(300, 'f');
  const std::pair<std::string, PromptButtons> briefQ{kBriefTooLongQuestion, pbOkCancel};
  const std::pair<std::string, PromptButtons> fullQ{kFullTooLongQuestion, pbYesNoCancel};
  using Asked = std::vector<std::pair<std::string, PromptButtons>>;
  struct Case {
    const char* name;
    FriendAddressTexts texts;
    std::vector<int> answers;
    Asked asked;
    bool accepted;
    std::string text;
  };
  const Case cases[] = {
      {"nothing chosen", {"", ""}, {}, {}, true, ""},
      {"both at 255: no question, the full text", {f255, b255}, {}, {}, true, f255},
      {"full at 256, Yes: the short text", {f256, b255}, {paYes}, {fullQ}, true, b255},
      {"full at 256, No: the full text over the limit", {f256, b255}, {paNo}, {fullQ}, true, f256},
      {"full at 256, Cancel", {f256, b255}, {paCancel}, {fullQ}, false, ""},
      {"short at 256, Cancel: the second question is not asked", {f300, b256}, {paCancel}, {briefQ}, false, ""},
      {"short at 256, OK then Yes", {f300, b256}, {paOk, paYes}, {briefQ, fullQ}, true, b256},
      {"short at 256, OK then No", {f300, b256}, {paOk, paNo}, {briefQ, fullQ}, true, f300},
      {"short at 256, OK then Cancel", {f300, b256}, {paOk, paCancel}, {briefQ, fullQ}, false, ""},
      {"a box that could not be shown cancels", {f300, b256}, {0}, {briefQ}, false, ""},
      {"a box that could not be shown cancels the second question too", {f256, b255}, {0}, {fullQ}, false, ""},
  };
  for (const Case& c : cases) {
    ScriptedPrompt prompt{c.answers, {}};
    const FriendChoice choice = ChooseAddressText(c.texts, prompt.Prompt());
    EXPECT_EQ(prompt.asked, c.asked) << c.name;
    EXPECT_EQ(choice.accepted, c.accepted) << c.name;
    EXPECT_EQ(choice.text, c.text) << c.name;
  }
}

// Japanese owner names count two bytes a character: a full text of 253
// address bytes and one two-character owner is 253 + 7 bytes.
TEST(ChooseAddressText, CountsBytesOfTheShiftJisText) {
  TOtomodatiRecList list;
  list.AddRec({"", "太郎", std::string(253, 'a')});
  const FriendAddressTexts texts = MakeFriendAddressTexts(list);
  ASSERT_EQ(texts.full.size(), 253u + 7u);
  ScriptedPrompt prompt{{paNo}, {}};
  const FriendChoice choice = ChooseAddressText(texts, prompt.Prompt());
  ASSERT_EQ(prompt.asked.size(), 1u);
  EXPECT_EQ(prompt.asked[0].first, kFullTooLongQuestion);
  EXPECT_EQ(choice.text, texts.full);
}

TEST(SplitCharacters, KeepsDoubleByteCharactersWhole) {
  using Chars = std::vector<std::string_view>;
  struct Case { std::string text; Chars chars; };
  const Case cases[] = {
      {"", {}},
      {"ab", {"a", "b"}},
      {"表ソ", {"表", "ソ"}},               // second bytes 0x5C
      {"ｱa", {"ｱ", "a"}},                  // half-width katakana is one byte
      {"a\x83", {"a", "\x83"}},            // a lead byte at the end stands alone
      {"m@例.jp", {"m", "@", "例", ".", "j", "p"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCharacters(c.text), c.chars) << c.text;
}

TEST(FitColumnText, ReplacesTheLastCharacterWithDotsWhenTheDotsWouldPassTheRoom) {
  using Widths = std::vector<int>;
  struct Case { const char* name; Widths widths; int dots; int room; ColumnFit fit; };
  const Case cases[] = {
      {"no text", {}, 9, 92, {0, false}},
      {"one character is drawn whatever its width", {200}, 9, 92, {1, false}},
      {"everything fits", {10, 10, 10}, 9, 92, {3, false}},
      {"the dots end exactly at the room's end: still fits", {40, 43, 5}, 9, 92, {3, false}},
      {"the dots pass the room by one before the third character", {40, 44, 5}, 9, 92, {1, true}},
      {"the dots are tried before the last character even when it would fit", {40, 45, 1}, 9, 92, {1, true}},
      {"dots after the first character already too wide", {90, 1}, 9, 92, {0, true}},
      {"no room at all", {5, 5}, 9, -8, {0, true}},
  };
  for (const Case& c : cases) {
    const ColumnFit fit = FitColumnText(c.widths, c.dots, c.room);
    EXPECT_EQ(fit.shown, c.fit.shown) << c.name;
    EXPECT_EQ(fit.ellipsis, c.fit.ellipsis) << c.name;
  }
}

TEST(ColumnLefts, EachColumnStartsTheMarginFurtherLeftOfItsSection) {
  const std::vector<int> widths{100, 100, 224};
  EXPECT_EQ(ColumnLefts(0, widths), (std::vector<int>{0, 96, 192}));
  EXPECT_EQ(ColumnLefts(3, widths, 0), (std::vector<int>{3, 103, 203}));
}

TEST(FriendBookMessages, NameThePathAndTheReason) {
  const std::string path = "C:\\モチル\\おともだち帳";
  const std::string unreadable = FriendBookUnreadableMessage(path, "アクセスが拒否されました。");
  EXPECT_NE(unreadable.find("\n\n" + path + "\n\nアクセスが拒否されました。"), std::string::npos) << unreadable;
  EXPECT_NE(FriendBookTooLargeMessage(path).find("\n\n" + path), std::string::npos);
}

}  // namespace
