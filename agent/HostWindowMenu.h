// The host window entries at the end of the tray menu, decided without
// Win32: which windows get an entry, in which order, and with which
// caption. HostWindowMenu_win.h reads the windows and builds the entries.
// Portable.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A visible top-level window as the system enumerates it.
struct TopLevelWindow {
  std::uintptr_t window = 0;
  std::uintptr_t owner = 0;  // GW_OWNER; 0 when it has none
  std::string className;
};

// One entry of the list the menu is built from: a window's class name and
// the window.
struct HostWindowEntry {
  std::string className;
  std::uintptr_t window = 0;

  friend bool operator==(const HostWindowEntry&, const HostWindowEntry&) = default;
};

// The windows owned by the host application window `hostApplication`, in
// the order given, each with its class name. None when `hostApplication`
// is 0 (the host is not running); the application window itself is not
// owned by itself and gets no entry.
std::vector<HostWindowEntry> CollectHostWindows(const std::vector<TopLevelWindow>& visibleWindows,
                                                std::uintptr_t hostApplication);

// A comparison of two texts without regard to case: below 0, 0 or above 0.
// The agent uses the user's locale; CompareIgnoringAsciiCase stands for it
// where there is none.
using TextComparison = std::function<int(std::string_view, std::string_view)>;
int CompareIgnoringAsciiCase(std::string_view a, std::string_view b);

// Sorts the entries by the menu rank of their class in the table of host
// window kinds (HostWindowKinds, classes matched exactly), then the entries
// of other classes after them, by class name with `compare`. Entries of
// equal rank or equal names keep the order they had.
void SortByWindowKind(std::vector<HostWindowEntry>& entries, const TextComparison& compare);

// What an entry says about its window: the title; for a mail-writing
// window ("TMailWnd") the title, " : " and the recipients; for a
// mail-reading window ("TReadWnd") "メールを読む : " and the title.
std::string WindowItemText(std::string_view className, std::string_view title,
                           std::string_view recipients);

// The menu caption of entry `index` (0-based): "&" and index + 1, a space,
// then `text` with each "&" doubled, so that the title shows as it is and
// the digit stays the entry's only accelerator.
std::string WindowItemCaption(int index, std::string_view text);

// The most the recipients field is read: a buffer of 260, its terminator
// included.
inline constexpr int kRecipientsMaxChars = 259;
