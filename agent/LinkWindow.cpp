#include "agent/LinkWindow.h"

#include "base/CodePage.h"
#include "toolbox/TextScanners.h"

namespace {

constexpr std::string_view kMailTo = "mailto:";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The byte offsets at which the characters of `text` start.
std::vector<std::size_t> CharacterStarts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size();) {
    starts.push_back(i);
    i += IsAnsiLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
  }
  return starts;
}

// The first occurrence of `needle` that starts a character of `text`.
std::size_t FindCharacter(std::string_view text, std::string_view needle) {
  for (std::size_t start : CharacterStarts(text)) {
    if (text.substr(start, needle.size()) == needle) return start;
  }
  return std::string_view::npos;
}

// `text` without NOTICE_CUT_BYTES bytes from `at` on (fewer at the end);
// a double-byte character the cut would halve goes whole.
std::string CutNotice(std::string_view text, std::size_t at) {
  std::size_t end = at + NOTICE_CUT_BYTES;
  if (end >= text.size()) return std::string(text.substr(0, at));
  for (std::size_t start : CharacterStarts(text)) {
    if (start >= end) {
      end = start;
      break;
    }
    if (start + 1 == end && IsAnsiLeadByte(static_cast<unsigned char>(text[start]))) {
      end = start + 2;
      break;
    }
  }
  return std::string(text.substr(0, at)) + std::string(text.substr(end));
}

}  // namespace

CopiedLine ReadCopiedLine(std::string_view text) {
  CopiedLine line;
  if (!StartsWith(text, NOTICE_MARKER)) {
    LinkTokens links = CutAllLinks(text);
    line.mode = lmLinks;
    line.entries = std::move(links.urls);
    for (const std::string& address : links.mailAddresses) line.entries.push_back(std::string(kMailTo) + address);
    return line;
  }
  text.remove_prefix(std::string_view(NOTICE_MARKER).size());
  if (StartsWith(text, ATTACHMENT_PREFIX)) {
    text.remove_prefix(std::string_view(ATTACHMENT_PREFIX).size());
    const std::size_t suffix = FindCharacter(text, ATTACHMENT_SUFFIX);
    line.mode = lmAttachment;
    line.entries.push_back(suffix == std::string_view::npos ? std::string(text) : CutNotice(text, suffix));
    return line;
  }
  if (const std::size_t phrase = FindCharacter(text, EXTRACTION_PHRASE); phrase != std::string_view::npos) {
    line.mode = lmFolder;
    line.entries.push_back(CutNotice(text, phrase));
    return line;
  }
  line.keepsMode = true;
  return line;
}

LinkLabels LabelsFor(TListMode mode, std::string_view attachFolder) {
  switch (mode) {
    case lmAttachment: return {std::string(attachFolder), "開きたい添付ファイルをダブルクリック！"};
    case lmFolder: return {"添付書類フォルダを開きたいときは", "↑のフォルダ名をダブルクリック！"};
    case lmLinks: break;
  }
  return {"クリッカブルしたいＵＲＬ、", "メアドをダブルクリック！"};
}

ScreenPoint LinkWindowPosition(int cursorX, int cursorY, int formWidth, int formHeight, int screenWidth) {
  const int x = cursorX + formWidth > screenWidth ? screenWidth - formWidth : cursorX;
  return {x, cursorY - formHeight};
}

EntryTarget TargetOf(TListMode mode, std::string_view entry, std::string_view attachFolder) {
  switch (mode) {
    case lmAttachment: return {EntryAction::OpenHidden, std::string(attachFolder) + "\\" + std::string(entry)};
    case lmFolder: return {EntryAction::OpenShown, std::string(entry)};
    case lmLinks: break;
  }
  if (StartsWith(entry, kMailTo)) return {EntryAction::NewMail, std::string(entry.substr(kMailTo.size()))};
  return {EntryAction::OpenHidden, std::string(entry)};
}
