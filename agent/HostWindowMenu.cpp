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

void SortByWindowKind(std::vector<HostWindowEntry>& entries, const TextComparison& compare) {
  for (HostWindowEntry& entry : entries) {
    for (int kind = 0; kind < HostWindowKindCount; ++kind) {
      if (entry.text == HostWindowClassNames[kind]) {
        entry.text = std::string(HostWindowSortKeys[kind]);
        break;
      }
    }
  }
  std::stable_sort(entries.begin(), entries.end(), [&](const HostWindowEntry& a, const HostWindowEntry& b) {
    return compare(a.text, b.text) < 0;
  });
}

std::string WindowItemText(std::string_view className, std::string_view title,
                           std::string_view recipients) {
  std::string text(title);
  if (className == HostWindowClassNames[hwMailWnd]) {
    text += " : ";
    text += recipients;
  }
  if (className == HostWindowClassNames[hwReadWnd]) text = "メールを読む : " + text;
  return text;
}

std::string WindowItemCaption(int index, std::string_view text) {
  std::string caption = "&" + std::to_string(index + 1) + " ";
  // No second byte of a double-byte character is an "&" (0x26), so each
  // "&" byte is one.
  for (char c : text) {
    if (c == '&') caption += '&';
    caption += c;
  }
  return caption;
}
