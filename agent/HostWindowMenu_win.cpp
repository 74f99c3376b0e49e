#include "agent/HostWindowMenu_win.h"

#include "hostaccess/HostIdentifiers.h"
#include "toolbox/WindowUtils_win.h"

namespace {

std::uintptr_t AsValue(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }
HWND AsWindow(std::uintptr_t value) { return reinterpret_cast<HWND>(value); }

}  // namespace

void TMochiruWindowMenu::BuildMenu(const WindowMenuParams& params) {
  params_ = params;
  RemoveWindowItems();
  std::vector<HostWindowEntry> entries = CollectHostWindows();
  SortByWindowKind(entries);
  AddWindowItems(entries);
}

void TMochiruWindowMenu::RemoveWindowItems() {
  HMENU menu = params_.PopupMenu;
  const int count = GetMenuItemCount(menu);
  for (int anchor = 0; anchor < count; ++anchor) {
    if (GetMenuItemID(menu, anchor) != params_.AnchorItem) continue;
    while (GetMenuItemCount(menu) > anchor + 1) {
      if (!DeleteMenu(menu, anchor + 1, MF_BYPOSITION)) break;
    }
    return;
  }
}

std::vector<HostWindowEntry> TMochiruWindowMenu::CollectHostWindows() {
  if (params_.OwnerWindow == nullptr) return {};
  TIntegerList list;
  ListTopLevelWindows(list, twVisible);
  std::vector<TopLevelWindow> visible;
  for (int i = 0; i < list.Count(); ++i) {
    HWND window = ListValueToWindow(list.Get(i));
    visible.push_back({AsValue(window), AsValue(GetWindow(window, GW_OWNER)), GetClassNameString(window)});
  }
  return ::CollectHostWindows(visible, AsValue(params_.OwnerWindow));
}

void TMochiruWindowMenu::SortByWindowKind(std::vector<HostWindowEntry>& entries) {
  ::SortByWindowKind(entries, CompareInUserLocale);
}

void TMochiruWindowMenu::AddWindowItems(const std::vector<HostWindowEntry>& entries) {
  for (std::size_t k = 0; k < entries.size(); ++k) {
    HWND window = AsWindow(entries[k].window);
    std::string caption = ::WindowItemCaption(static_cast<int>(k), WindowItemCaption(window));
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING | MIIM_ID | MIIM_DATA;
    item.wID = params_.FirstItemId + static_cast<UINT>(k);
    item.dwItemData = static_cast<ULONG_PTR>(entries[k].window);
    item.dwTypeData = caption.data();
    InsertMenuItemA(params_.PopupMenu, static_cast<UINT>(GetMenuItemCount(params_.PopupMenu)), TRUE, &item);
  }
}

std::string TMochiruWindowMenu::WindowItemCaption(HWND window) {
  const std::string className = GetClassNameString(window);
  std::string recipients;
  if (className == HostWindowClassName(hwMailWnd)) {
    // The recipients are the first edit inside the first panel.
    HWND panel = FindWindowExA(window, nullptr, HOST_PANEL_CLASS, nullptr);
    HWND edit = panel != nullptr ? FindWindowExA(panel, nullptr, HOST_EDIT_CLASS, nullptr) : nullptr;
    if (edit != nullptr) recipients = ControlText(edit, kRecipientsMaxChars);
  }
  return WindowItemText(className, GetWindowTextString(window), recipients);
}

HWND WindowMenuItemWindow(HMENU menu, UINT id) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_DATA;
  if (!GetMenuItemInfoA(menu, id, FALSE, &item)) return nullptr;
  return AsWindow(item.dwItemData);
}

int CompareInUserLocale(std::string_view a, std::string_view b) {
  const int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                    b.data(), static_cast<int>(b.size()));
  return result == 0 ? 0 : result - CSTR_EQUAL;
}
