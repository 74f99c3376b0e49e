#include "agent/MailCommands.h"

#include "base/CodePage.h"
#include "toolbox/TextScanners.h"

namespace {

const std::string& LineAt(const MailHeaderLines& header, std::size_t index) {
  static const std::string kNone;
  return index < header.size() ? header[index] : kNone;
}

std::string WithoutSpaces(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c != ' ') result += c;
  }
  return result;
}

constexpr std::size_t kRecipientsLabel = 3;
constexpr std::size_t kSenderLabel = 5;
constexpr std::size_t kLinePrefix = 9;

}  // namespace

std::string CutAtCharacterBoundary(std::string_view text, std::size_t limit) {
  if (text.size() < limit) return std::string(text);
  // Walked from the start: a second byte can look like a lead byte.
  std::size_t end = 0;
  while (end < limit) {
    const std::size_t size = IsAnsiLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + size > limit) break;
    end += size;
  }
  return std::string(text.substr(0, end));
}

MailHeaderLines SplitHeaderText(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  MailHeaderLines lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::string DeleteLeadingCharacters(std::string_view text, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t n = 0; n < count && i < text.size(); ++n) {
    i += IsAnsiLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
  }
  return std::string(text.substr(i));
}

std::string RestOfLine(std::string_view line) {
  std::string text(line);
  std::string word;
  CutFirstWord(text, word);
  return text;
}

std::string RecipientsCopyText(const MailHeaderLines& header) {
  return DeleteLeadingCharacters(WithoutSpaces(LineAt(header, kRecipientsLine)), kRecipientsLabel);
}

std::string SenderCopyText(const MailHeaderLines& header) {
  return DeleteLeadingCharacters(WithoutSpaces(LineAt(header, kSenderLine)), kSenderLabel);
}

std::string CopiedMessage(std::string_view copied) {
  return "クリップボードにコピーしました\n\n" + std::string(copied);
}

std::string ReplyAllList(const MailHeaderLines& header) {
  std::string text = RestOfLine(LineAt(header, kRecipientsLine)) + "," + RestOfLine(LineAt(header, kSenderLine));
  std::string list;
  for (;;) {
    std::string address;
    CutMailAddress(text, address);
    if (address.empty()) break;
    list += address + ",";
  }
  return list;
}

std::string ReplySubject(const MailHeaderLines& header) {
  return "Re: " + RestOfLine(LineAt(header, kSubjectLine));
}

std::string ForwardSubject(const MailHeaderLines& header) {
  return "Fw: " + RestOfLine(LineAt(header, kSubjectLine));
}

std::string EscapeMailtoPart(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool changesMeaning = byte < 0x20 || byte == 0x7F || byte == ' ' || byte == '"' || byte == '#' ||
                                byte == '%' || byte == '&' || byte == '+' || byte == '=' || byte == '?';
    if (changesMeaning) {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0xF];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string ReplyMailerUrl(const MailHeaderLines& header) {
  return "mailto:" + EscapeMailtoPart(RestOfLine(LineAt(header, kSenderLine))) + "?subject=Re:" +
         EscapeMailtoPart(RestOfLine(LineAt(header, kSubjectLine)));
}

std::string ReplyAllMailerUrl(const MailHeaderLines& header) {
  return "mailto:" + EscapeMailtoPart(ReplyAllList(header)) + "?subject=Re:" +
         EscapeMailtoPart(RestOfLine(LineAt(header, kSubjectLine)));
}

std::string ForwardBody(const MailHeaderLines& header) {
  std::string body = "----- Fw: ---------------------\r\n\r\n";
  for (const std::string& line : header) body += DeleteLeadingCharacters(line, kLinePrefix) + "\r\n";
  return body;
}

std::string RecipientsPasteText(int fieldLength, std::string_view addresses) {
  std::string text = fieldLength != 0 ? "," : "";
  text += addresses;
  return text;
}
