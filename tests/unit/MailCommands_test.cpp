// The mail commands' texts: the print preview's text as lines, and what the
// commands copy, reply, forward and paste from them.
#include "agent/MailCommands.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SplitHeaderText, EndsALineAtCrLfOrCrLf) {
  using Lines = MailHeaderLines;
  struct Case { std::string text; Lines lines; };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\r\n", {"a"}},                      // nothing follows the last ending
      {"\r\n", {""}},
      {"a\n\r", {"a", ""}},                  // LF CR is two endings
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},  // a zero byte ends the text
      {"表\r\nソ", {"表", "ソ"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitHeaderText(c.text), c.lines) << c.text;
}

TEST(DeleteLeadingCharacters, CountsADoubleByteCharacterAsOne) {
  struct Case { std::string text; std::size_t count; std::string rest; };
  const Case cases[] = {
      {"To:a@b", 3, "a@b"},
      {"宛先:a@b", 3, "a@b"},
      {"ab", 3, ""},
      {"", 9, ""},
      {"123456789", 9, ""},
      {"1234567890", 9, "0"},
      {"表ソ表ソ表ソ表ソ表ソ", 9, "ソ"},
      {"ab\x83", 3, ""},                     // a lead byte cut off at the end
  };
  for (const Case& c : cases) EXPECT_EQ(DeleteLeadingCharacters(c.text, c.count), c.rest) << c.text;
}

TEST(RestOfLine, IsWhatCutFirstWordLeaves) {
  struct Case { std::string line; std::string rest; };
  const Case cases[] = {
      {"Subject: 会議の件", "会議の件"},
      {"  \tSubject: a b", "a b"},            // leading blanks go first
      {"From:    x@y", "   x@y"},             // only the first space goes with the word
      {"Subject:", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(RestOfLine(c.line), c.rest) << c.line;
}

// A preview text as the host shows it: a label of 3 characters on the
// recipients line and of 5 on the sender line.
const MailHeaderLines kHeader = {
    "モチル for Windows",
    "----------------------------------------",
    "Date:    2024/05/01 (水) 10:00",
    "To: taro@example.jp, \"花子\" <hanako@example.jp>",
    "From: jiro@example.jp (次郎)",
    "Subject: 来週の会議について",
    "",
};

TEST(CopyTexts, DropEverySpaceThenTheLabel) {
  struct Case { const char* name; MailHeaderLines header; std::string recipients; std::string sender; };
  const Case cases[] = {
      {"the preview's lines", kHeader, "taro@example.jp,\"花子\"<hanako@example.jp>", "jiro@example.jp(次郎)"},
      {"spaces inside the address part are all lost",
       {"", "", "", "To:    ta ro@exa mple.jp ", "From : ji ro@x.jp", "", ""}, "taro@example.jp", "jiro@x.jp"},
      {"a Japanese label counts by characters", {"", "", "", "宛先: 太郎@x", "差出人名 : a@b", "", ""}, "太郎@x", "a@b"},
      {"lines too short for their label", {"", "", "", "To", "From", "", ""}, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecipientsCopyText(c.header), c.recipients) << c.name;
    EXPECT_EQ(SenderCopyText(c.header), c.sender) << c.name;
  }
  EXPECT_EQ(CopiedMessage("a@b"), "クリップボードにコピーしました\n\na@b");
}

TEST(ReplyAllList, ListsRecipientsThenSenderEachWithAComma) {
  struct Case { const char* name; std::string to; std::string from; std::string list; };
  const Case cases[] = {
      {"one recipient and the sender", "To: a@x.jp", "From: b@y.jp", "a@x.jp,b@y.jp,"},
      {"names and brackets around the addresses", kHeader[3], kHeader[4],
       "taro@example.jp,hanako@example.jp,jiro@example.jp,"},
      {"duplicates and one's own address stay", "To: me@x.jp, b@y.jp", "From: b@y.jp", "me@x.jp,b@y.jp,b@y.jp,"},
      {"the label's word is not scanned", "a@label.jp b@x.jp", "c@label.jp d@y.jp", "b@x.jp,d@y.jp,"},
      {"no addresses at all", "To: (none)", "From: ?", ""},
  };
  for (const Case& c : cases) {
    const MailHeaderLines header{"", "", "", c.to, c.from, "Subject: s", ""};
    EXPECT_EQ(ReplyAllList(header), c.list) << c.name;
  }
}

TEST(MailerUrls, CarryTheAddressesAndTheSubjectUnescaped) {
  EXPECT_EQ(ReplyMailerUrl(kHeader), "mailto:jiro@example.jp (次郎)?subject=Re:来週の会議について");
  EXPECT_EQ(ReplyAllMailerUrl(kHeader),
            "mailto:taro@example.jp,hanako@example.jp,jiro@example.jp,?subject=Re:来週の会議について");
  const MailHeaderLines simple{"", "", "", "To: a", "From: b", "Subject: x & y?z=1", ""};
  EXPECT_EQ(ReplyMailerUrl(simple), "mailto:b?subject=Re:x & y?z=1");
  const MailHeaderLines two{"", "", "", "To: a@x", "From: b@y", "Subject: hi", ""};
  EXPECT_EQ(ReplyAllMailerUrl(two), "mailto:a@x,b@y,?subject=Re:hi");
}

TEST(Subjects, PutReAndFwBeforeTheRestOfTheSubjectLine) {
  EXPECT_EQ(ReplySubject(kHeader), "Re: 来週の会議について");
  EXPECT_EQ(ForwardSubject(kHeader), "Fw: 来週の会議について");
  const MailHeaderLines again{"", "", "", "", "", "Subject: Re: a b", ""};
  EXPECT_EQ(ReplySubject(again), "Re: Re: a b");
  const MailHeaderLines none{"", "", "", "", "", "Subject:", ""};
  EXPECT_EQ(ForwardSubject(none), "Fw: ");
}

TEST(ForwardBody, IsARuleAnEmptyLineAndTheLinesWithoutTheirPrefix) {
  const MailHeaderLines header{"123456789", "12345678", "Subject: 会議", "件名　　　　　　：表ソの件", "", "To:      a@b"};
  EXPECT_EQ(ForwardBody(header),
            "----- Fw: ---------------------\r\n"
            "\r\n"
            "\r\n"              // exactly 9 characters
            "\r\n"              // fewer
            "会議\r\n"
            "表ソの件\r\n"      // 9 characters, some of them double-byte
            "\r\n"
            "a@b\r\n");
  EXPECT_EQ(ForwardBody({}), "----- Fw: ---------------------\r\n\r\n");
}

TEST(RecipientsPasteText, PutsACommaFirstOnlyWhenTheFieldHoldsSomething) {
  EXPECT_EQ(RecipientsPasteText(0, "a@x,b@y"), "a@x,b@y");
  EXPECT_EQ(RecipientsPasteText(7, "a@x"), ",a@x");
  EXPECT_EQ(RecipientsPasteText(1, ""), ",");
}

TEST(MissingLines, ReadAsEmpty) {
  const MailHeaderLines few{"only", "two"};
  EXPECT_EQ(RecipientsCopyText(few), "");
  EXPECT_EQ(ReplyAllList(few), "");
  EXPECT_EQ(ReplyMailerUrl(few), "mailto:?subject=Re:");
}

}  // namespace
