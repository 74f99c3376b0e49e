#include "agent/HostEvents.h"

#include "hostaccess/HostIdentifiers.h"

DoubleClickAction ActionForDoubleClick(std::string_view controlClass, std::string_view parentClass) {
  if (controlClass == HOST_MEMO_CLASS || controlClass == HOST_RICHEDIT_CLASS) return DoubleClickAction::CopyLine;
  if (controlClass != HOST_LISTBOX_CLASS) return DoubleClickAction::Nothing;
  if (parentClass == HostWindowClassName(hwOyatsuWnd)) return DoubleClickAction::ReleaseGiveButton;
  if (parentClass == HostWindowClassName(hwOmochaWnd)) return DoubleClickAction::ReleasePutButton;
  return DoubleClickAction::Nothing;
}
