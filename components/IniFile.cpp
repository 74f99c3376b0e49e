#include "components/IniFile.h"

#include "base/CodePage.h"

#include <utility>

IniNameError::IniNameError() : Error("設定ファイルに書けない名前か値です") {}

namespace {

bool IsSectionHeader(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Whether `line`, written into a section and read back, is a key line with
// the key `key` (its value is then the rest of the line, as written).
bool ReadsBackAsKey(std::string_view line, std::string_view key) {
  if (line.find('\n') != std::string_view::npos) return false;
  if (line.empty() || line.front() == ';' || IsSectionHeader(line)) return false;
  const std::size_t equals = line.find('=');
  return equals != std::string_view::npos && line.substr(0, equals) == key;
}

}  // namespace

bool TIniContents::SameName(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[i]);
    if (IsAnsiLeadByte(ca) && i + 1 < a.size()) {
      // A double-byte character matches only itself.
      if (ca != cb || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (FoldAscii(ca) != FoldAscii(cb)) {
      return false;
    }
  }
  return true;
}

const TIniContents::Section* TIniContents::FindSection(std::string_view name) const {
  for (const Section& section : sections_) {
    if (SameName(section.name, name)) return &section;
  }
  return nullptr;
}

TIniContents::Section* TIniContents::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

void TIniContents::SetText(std::string_view bytes) {
  sections_.clear();
  Section* current = nullptr;  // re-taken after every push_back
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    std::size_t next = end + 1;
    if (end == std::string_view::npos) end = next = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (end < bytes.size() && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = next;

    if (line.empty() || line.front() == ';') continue;
    if (IsSectionHeader(line)) {
      const std::string_view name = line.substr(1, line.size() - 2);
      current = FindSection(name);
      if (current == nullptr) {
        sections_.push_back(Section{std::string(name), {}});
        current = &sections_.back();
      }
    } else if (current != nullptr) {
      current->lines.emplace_back(line);
    }
  }
}

std::string TIniContents::Text() const {
  std::string text;
  for (const Section& section : sections_) {
    text += '[';
    text += section.name;
    text += "]\r\n";
    for (const std::string& line : section.lines) {
      text += line;
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

std::string TIniContents::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
  if (const Section* found = FindSection(section)) {
    for (const std::string& line : found->lines) {
      const std::size_t equals = line.find('=');
      if (equals != std::string::npos && SameName(std::string_view(line).substr(0, equals), key)) {
        return line.substr(equals + 1);
      }
    }
  }
  return std::string(defaultValue);
}

void TIniContents::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  if (section.find('\n') != std::string_view::npos) throw IniNameError();
  Section* found = FindSection(section);
  std::string* existing = nullptr;
  std::string_view spelling = key;
  if (found != nullptr) {
    for (std::string& line : found->lines) {
      const std::size_t equals = line.find('=');
      if (equals != std::string::npos && SameName(std::string_view(line).substr(0, equals), key)) {
        existing = &line;
        spelling = std::string_view(line).substr(0, equals);
        break;
      }
    }
  }
  std::string written(spelling);
  written += '=';
  written += value;
  if (!ReadsBackAsKey(written, spelling)) throw IniNameError();

  if (existing != nullptr) {
    *existing = std::move(written);
  } else {
    if (found == nullptr) {
      sections_.push_back(Section{std::string(section), {}});
      found = &sections_.back();
    }
    found->lines.push_back(std::move(written));
  }
}

TQuoIniFile::TQuoIniFile(std::string fileName, IniFileStore& store)
    : fileName_(std::move(fileName)), store_(store) {
  std::string bytes;
  readResult_ = store_.Read(fileName_, bytes);
  readResult_.path = fileName_;
  readResult_.reading = !readResult_.ok;
  if (readResult_.ok) SetText(bytes);
}

IniFileResult TQuoIniFile::Save() {
  if (!readResult_.ok) return readResult_;
  IniFileResult result = store_.Write(fileName_, Text());
  result.path = fileName_;
  return result;
}
