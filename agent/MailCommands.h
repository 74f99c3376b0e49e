// What the mail commands make of the mail being read: the host's print
// preview shows its header as lines, and the commands copy, reply and
// forward from three of them (counting from 0):
//   line 3  the recipients, after a 3-character label
//   line 4  the sender, after a 5-character label
//   line 5  the subject
// and every line carries a 9-character prefix, which a forward drops.
// Portable: MailCommands_win carries these texts to the clipboard, the
// host's windows and the default mail program.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

using MailHeaderLines = std::vector<std::string>;

inline constexpr std::size_t kRecipientsLine = 3;
inline constexpr std::size_t kSenderLine = 4;
inline constexpr std::size_t kSubjectLine = 5;
// A header text with fewer lines is not the header of a mail.
inline constexpr std::size_t kMinHeaderLines = 7;
// At most this much of the preview's text is read.
inline constexpr int kMaxHeaderChars = 10000;

// How long the commands wait for the host: the print preview to appear, it
// to come to the front, and a mail-writing window to appear.
inline constexpr unsigned kPrintWindowWaitMs = 5000;
inline constexpr unsigned kPrintForegroundWaitMs = 5000;
inline constexpr unsigned kMailWindowWaitMs = 10000;

// How long "宛先貼り" and "宛名貼り" give the system to carry out their
// Alt+Tab before they look at the foreground window: the task switch is
// not done by the time the keys have been sent, and on a busy machine it
// can take seconds. The wait ends as soon as the switch is done.
inline constexpr unsigned kTaskSwitchSettleMs = 5000;

// How long the click on the print preview's "ｷｬﾝｾﾙ" is given to close it
// before it is made again, and how many times it is made at most. A click
// made while the host is still moving the activation between its windows
// (the agent's message has just gone) can be lost: the button sees the
// press cancelled before the release.
inline constexpr unsigned kPreviewCloseWaitMs = 2000;
inline constexpr int kPreviewCloseClicks = 3;

// The messages of the commands.
inline constexpr char kHeaderFailedMessage[] = "メールヘッダー取得に失敗しました";
inline constexpr char kHeaderFailedCaption[] = "エラー";
inline constexpr char kNotMailWindowMessage[] =
    "この機能は「メールを書く」ウインドウを最前面にして使ってください";
// The caption of the copy commands' message: the application's title.
inline constexpr char kApplicationTitle[] = "Sorvik";

// The first `limit` bytes of `text` without cutting a double-byte
// character in two: when the limit falls between a character's lead byte
// and its second byte, the lead byte goes too. A text that the limit does
// not reach is left as it is. (The system hands over at most the limit,
// and may end it with such a lead byte.)
std::string CutAtCharacterBoundary(std::string_view text, std::size_t limit);

// The text's lines: each CR, LF or CR LF ends a line; a last line without
// an ending counts, and nothing follows the last ending. A zero byte ends
// the text.
MailHeaderLines SplitHeaderText(std::string_view text);

// `text` without its first `count` characters (a double-byte character is
// one); empty when it has no more.
std::string DeleteLeadingCharacters(std::string_view text, std::size_t count);

// What CutFirstWord leaves of a line: without its leading characters of
// code 32 or less, then without everything up to and including its first
// space; empty when there is no space.
std::string RestOfLine(std::string_view line);

// "受取人コピー" and "差出人コピー": the recipients line (the sender line)
// with every space removed, then without its 3-character (5-character)
// label.
std::string RecipientsCopyText(const MailHeaderLines& header);
std::string SenderCopyText(const MailHeaderLines& header);
// The message that shows what was copied.
std::string CopiedMessage(std::string_view copied);

// Reply to all: the mail addresses of the recipients line, then of the
// sender line, in order, each followed by a comma (the last one too);
// duplicates and one's own address stay.
std::string ReplyAllList(const MailHeaderLines& header);
// "Re: " and "Fw: " before the subject, for the new mail's subject field.
std::string ReplySubject(const MailHeaderLines& header);
std::string ForwardSubject(const MailHeaderLines& header);

// `text` for a part of a mailto link: every byte that would change what the
// link means is written as %XX (upper-case hex): "%", "&", "=", "?", "#",
// "+", the double quote (which would end the link's argument on the mail
// program's command line), the space and the control bytes (below 0x20,
// and 0x7F). Every other byte stays as it is, so that a mail program reads
// the rest as before. Byte by byte on purpose: none of these bytes is ever
// the second byte of a double-byte character, so no character is split,
// and a stray lead byte cannot shield the byte after it.
std::string EscapeMailtoPart(std::string_view text);

// The links for the default mail program: to the sender, or to everyone,
// with the subject after "?subject=Re:". The addresses and the subject come
// from the mail, written by a stranger: each is escaped with
// EscapeMailtoPart, so that none of them can add a header or a recipient.
std::string ReplyMailerUrl(const MailHeaderLines& header);
std::string ReplyAllMailerUrl(const MailHeaderLines& header);

// The forwarded mail's body: a "----- Fw: " rule, an empty line, then the
// header's lines without their first 9 characters; every line ends in
// CR LF.
std::string ForwardBody(const MailHeaderLines& header);

// "宛先貼り": what goes into the recipients field, which holds
// `fieldLength` characters already: the chosen addresses, after a comma
// when the field is not empty.
std::string RecipientsPasteText(int fieldLength, std::string_view addresses);
