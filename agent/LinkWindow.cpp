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

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether two texts of single-byte characters are the same but for the case
// of ASCII letters.
bool SameAsciiIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// `folder` + "\" + `name`, without doubling the separator of a drive root
// ("D:\"). The last character is looked at, not the last byte: "C:\表" ends
// in the trail byte 0x5C and still needs its separator.
std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  const std::vector<std::size_t> starts = CharacterStarts(folder);
  const bool endsWithSeparator = !starts.empty() && folder.substr(starts.back()) == "\\";
  if (!endsWithSeparator) path += '\\';
  path += name;
  return path;
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

ScreenPoint LinkWindowPosition(int cursorX, int cursorY, int formWidth, int formHeight, const ScreenRect& workArea) {
  ScreenPoint at{cursorX, cursorY - formHeight};
  // Right and bottom first, so that a window larger than the work area
  // ends with its left and top edges inside it.
  if (at.x + formWidth > workArea.right) at.x = workArea.right - formWidth;
  if (at.y + formHeight > workArea.bottom) at.y = workArea.bottom - formHeight;
  if (at.x < workArea.left) at.x = workArea.left;
  if (at.y < workArea.top) at.y = workArea.top;
  return at;
}

bool IsWebLink(std::string_view entry) {
  for (std::string_view scheme : {"http://", "https://", "ftp://"}) {
    if (entry.size() >= scheme.size() && SameAsciiIgnoringCase(entry.substr(0, scheme.size()), scheme)) return true;
  }
  return false;
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty()) return false;
  for (std::size_t start : CharacterStarts(name)) {
    const char c = name[start];
    if (IsAnsiLeadByte(static_cast<unsigned char>(c))) continue;  // its second byte is part of it
    if (c == '\\' || c == '/' || c == ':') return false;
    if (c == '.' && start + 1 < name.size() && name[start + 1] == '.') return false;
  }
  return true;
}

bool IsDrivePath(std::string_view path) {
  return path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

EntryTarget TargetOf(TListMode mode, std::string_view entry, std::string_view attachFolder, PathKindOf kindOf) {
  switch (mode) {
    case lmAttachment: {
      if (!IsPlainFileName(entry)) return {EntryAction::Refuse, AttachmentRefusedMessage(entry)};
      if (attachFolder.empty()) return {EntryAction::Refuse, AttachmentMissingMessage(entry)};
      const std::string path = JoinPath(attachFolder, entry);
      if (kindOf(path) != PathKind::File) return {EntryAction::Refuse, AttachmentMissingMessage(path)};
      return {EntryAction::OpenAttachment, path};
    }
    case lmFolder: {
      if (!IsDrivePath(entry)) return {EntryAction::Refuse, FolderRefusedMessage(entry)};
      const std::string path(entry);
      if (kindOf(path) != PathKind::Folder) return {EntryAction::Refuse, FolderMissingMessage(path)};
      return {EntryAction::OpenFolder, path};
    }
    case lmLinks: break;
  }
  if (StartsWith(entry, kMailTo)) return {EntryAction::NewMail, std::string(entry.substr(kMailTo.size()))};
  if (IsWebLink(entry)) return {EntryAction::OpenLink, std::string(entry)};
  return {EntryAction::Refuse, LinkRefusedMessage(entry)};
}

std::string LinkRefusedMessage(std::string_view entry) {
  return "このリンクは開けません。\n\n" + std::string(entry);
}

std::string AttachmentRefusedMessage(std::string_view name) {
  return "この添付ファイル名は開けません。\n\n" + std::string(name);
}

std::string AttachmentMissingMessage(std::string_view path) {
  return "添付フォルダにこのファイルがないため開けません。\n\n" + std::string(path);
}

std::string FolderRefusedMessage(std::string_view path) {
  return "このフォルダは開けません。\n\n" + std::string(path);
}

std::string FolderMissingMessage(std::string_view path) {
  return "フォルダがみつからないため開けません。\n\n" + std::string(path);
}
