// The tray menu's fixed items, as data: what the menu holds, in display
// order, with each caption (its "&" letter is the item's keyboard
// accelerator) and the command identifier a click sends. TrayMenu_win
// builds the menu from it. Portable.
#pragma once

#include <span>

#include "agent/MenuCommands.h"

enum class TrayItemKind { Command, Submenu, Separator };

struct TrayMenuItem {
  const char* name;     // the item's name in the form
  int level;            // 0 top level, 1 inside the submenu above it
  TrayItemKind kind;
  const char* caption;  // null for a separator
  unsigned command;     // the WM_COMMAND identifier of a command; 0 otherwise
};

// The identifier of the separator after which the host window entries go
// (it is never chosen); the last fixed item.
inline constexpr unsigned kDelimiteId = 1099;

// Every fixed item in display order; a submenu's items follow it.
std::span<const TrayMenuItem> TrayMenuItems();
