#include "agent/HostWindowMenu.h"

#include <algorithm>

#include "hostaccess/HostIdentifiers.h"

std::vector<HostWindowEntry> CollectHostWindows(const std::vector<TopLevelWindow>& visibleWindows,
                                                std::uintptr_t hostApplication) {
  std::vector<HostWindowEntry> entries;
  if (hostApplication == 0) return entries;
  for (const TopLevelWindow& w : visibleWindows) {
    if (w.owner == hostApplication) entries.push_back({w.className, w.window});
  }
  return entries;
}

int CompareIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; };
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int d = lower(static_cast<unsigned char>(a[i])) - lower(static_cast<unsigned char>(b[i]));
    if (d != 0) return d;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

namespace {

// The rank of a class: its kind's, or after every kind's for a class that
// is no kind's.
int MenuRankOf(std::string_view className) {
  for (const HostWindowKindRow& row : HostWindowKinds) {
    if (row.className == className) return row.menuRank;
  }
  return kLastMenuRank + 1;
}

}  // namespace

void SortByWindowKind(std::vector<HostWindowEntry>& entries, const TextComparison& compare) {
  struct Ranked {
    int rank;
    HostWindowEntry entry;
  };
  std::vector<Ranked> ranked;
  ranked.reserve(entries.size());
  for (HostWindowEntry& entry : entries) ranked.push_back({MenuRankOf(entry.className), std::move(entry)});
  std::stable_sort(ranked.begin(), ranked.end(), [&](const Ranked& a, const Ranked& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    return a.rank > kLastMenuRank && compare(a.entry.className, b.entry.className) < 0;
  });
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = std::move(ranked[i].entry);
}

std::string WindowItemText(std::string_view className, std::string_view title,
                           std::string_view recipients) {
  std::string text(title);
  if (className == HostWindowClassName(hwMailWnd)) {
    text += " : ";
    text += recipients;
  }
  if (className == HostWindowClassName(hwReadWnd)) text = "メールを読む : " + text;
  return text;
}

std::string WindowItemCaption(int index, std::string_view text) {
  std::string caption = "&";
  caption += std::to_string(index + 1);
  caption += ' ';
  // No second byte of a double-byte character is an "&" (0x26), so each
  // "&" byte is one.
  for (char c : text) {
    if (c == '&') caption += '&';
    caption += c;
  }
  return caption;
}
