// The host window entries of the tray menu, built anew each time the menu
// opens: one entry for each visible window owned by the host application
// window, sorted by kind, after the menu's anchor item. An entry carries
// its window (the item's data) and a command identifier of its own; the
// window that tracks the menu receives it as WM_COMMAND when the entry is
// chosen, and brings the window forward with WindowMenuItemWindow.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "agent/HostWindowMenu.h"

struct WindowMenuParams {
  HWND OwnerWindow = nullptr;  // the host application window; null when the host is not running
  HMENU PopupMenu = nullptr;   // the menu whose top level gets the entries
  UINT AnchorItem = 0;         // identifier of the item after which the entries go
  UINT FirstItemId = 0;        // identifier of the first entry; each next one is one more
};

class TMochiruWindowMenu {
 public:
  // Removes the entries after the anchor, then adds one for each host
  // window, in kind order. Without the anchor in the menu, nothing is
  // removed and the entries go at the end.
  void BuildMenu(const WindowMenuParams& params);

 private:
  void RemoveWindowItems();
  std::vector<HostWindowEntry> CollectHostWindows();
  void SortByWindowKind(std::vector<HostWindowEntry>& entries);
  void AddWindowItems(const std::vector<HostWindowEntry>& entries);
  std::string WindowItemCaption(HWND window);

  WindowMenuParams params_;
};

// The window that the entry with identifier `id` carries; null when no
// item of `menu` has that identifier.
HWND WindowMenuItemWindow(HMENU menu, UINT id);

// CompareStringA of the user's locale, ignoring case.
int CompareInUserLocale(std::string_view a, std::string_view b);
