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

TEST(EscapeMailtoPart, WritesOnlyTheBytesThatChangeALinksMeaningAsPercentHex) {
  struct Case { const char* name; std::string text; std::string escaped; };
  const Case cases[] = {
      {"nothing to escape", "taro@example.jp,b@y.jp,", "taro@example.jp,b@y.jp,"},
      {"each byte that changes a link's meaning", "% & = ? # + \"", "%25%20%26%20%3D%20%3F%20%23%20%2B%20%22"},
      {"control bytes", std::string("a\x01\tb\r\n\x7F", 7) + std::string(1, '\0') + "c", "a%01%09b%0D%0A%7F%00c"},
      {"a header smuggled into a subject", "見積もり&bcc=someone@example.com", "見積もり%26bcc%3Dsomeone@example.com"},
      {"other bytes stay as they are", "(次郎)<a@b>:;/'~!$*,[]{}|^`@.-_表ソｱ", "(次郎)<a@b>:;/'~!$*,[]{}|^`@.-_表ソｱ"},
      // A lead byte followed by a byte that no character has as its second:
      // the byte is still escaped, not taken as part of the character.
      {"a stray lead byte before an ampersand", "\x82&bcc=x", "\x82%26bcc%3Dx"},
      {"high bytes are never escaped", "\x80\xA0\xFD\xFE\xFF", "\x80\xA0\xFD\xFE\xFF"},
      {"empty", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeMailtoPart(c.text), c.escaped) << c.name;
}

TEST(MailerUrls, CarryTheAddressesAndTheSubjectWithWhatChangesTheLinkEscaped) {
  struct Case { const char* name; MailHeaderLines header; std::string reply; std::string replyAll; };
  const auto header = [](std::string to, std::string from, std::string subject) {
    return MailHeaderLines{"", "", "", std::move(to), std::move(from), std::move(subject), ""};
  };
  const Case cases[] = {
      {"the preview's lines: the name after the sender's address keeps its space, escaped", kHeader,
       "mailto:jiro@example.jp%20(次郎)?subject=Re:来週の会議について",
       "mailto:taro@example.jp,hanako@example.jp,jiro@example.jp,?subject=Re:来週の会議について"},
      {"plain addresses and subject are as they were", header("To: a@x", "From: b@y", "Subject: hi"),
       "mailto:b@y?subject=Re:hi", "mailto:a@x,b@y,?subject=Re:hi"},
      {"a subject cannot add a recipient", header("To: a@x", "From: b@y", "Subject: 見積もり&bcc=someone@example.com"),
       "mailto:b@y?subject=Re:見積もり%26bcc%3Dsomeone@example.com",
       "mailto:a@x,b@y,?subject=Re:見積もり%26bcc%3Dsomeone@example.com"},
      {"nor can an address, whose characters may include ? & and =",
       header("To: a@x?bcc=c@z", "From: b@y&cc=d@w", "Subject: s"), "mailto:b@y%26cc%3Dd@w?subject=Re:s",
       "mailto:a@x%3Fbcc%3Dc@z,b@y%26cc%3Dd@w,?subject=Re:s"},
      {"a second subject, a fragment, a plus and a percent stay in the subject",
       header("To: a@x", "From: b@y", "Subject: x?subject=y#z+1 100%"),
       "mailto:b@y?subject=Re:x%3Fsubject%3Dy%23z%2B1%20100%25",
       "mailto:a@x,b@y,?subject=Re:x%3Fsubject%3Dy%23z%2B1%20100%25"},
      {"a quote cannot end the link on the mail program's command line",
       header("To: a@x", "From: b@y", "Subject: \" /evil \""), "mailto:b@y?subject=Re:%22%20/evil%20%22",
       "mailto:a@x,b@y,?subject=Re:%22%20/evil%20%22"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplyMailerUrl(c.header), c.reply) << c.name;
    EXPECT_EQ(ReplyAllMailerUrl(c.header), c.replyAll) << c.name;
  }
}

TEST(CutAtCharacterBoundary, DropsALeadByteWhoseSecondByteIsBeyondTheLimit) {
  // "ぁ" is 0x82 0x9F: its second byte has the value of a lead byte.
  struct Case { const char* name; std::string text; std::size_t limit; std::string kept; };
  const Case cases[] = {
      {"shorter than the limit", "abc", 5, "abc"},
      {"exactly the limit", "abcde", 5, "abcde"},
      {"single bytes over the limit", "abcdefg", 5, "abcde"},
      {"a character ending at the limit", "abc表x", 5, "abc表"},
      {"the limit between a lead byte and its second byte", "abcd表", 5, "abcd"},
      {"the same with a second byte that looks like a lead byte", "abcdぁ", 5, "abcd"},
      {"a second byte that looks like a lead byte, at the limit", "abcぁ", 5, "abcぁ"},
      {"double-byte characters all along", "表ソ表ソ表", 5, "表ソ"},
      {"the text handed over up to the limit, ending in a lead byte", "abcd\x95", 5, "abcd"},
      {"a shorter text ending in a lead byte is the text", "ab\x95", 5, "ab\x95"},
      {"half-width katakana are single bytes", "abcdｱｲ", 5, "abcdｱ"},
      {"nothing", "", 5, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CutAtCharacterBoundary(c.text, c.limit), c.kept) << c.name;
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
