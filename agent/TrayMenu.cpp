#include "agent/TrayMenu.h"

const TrayMenuItem* FindTrayCommand(unsigned id) {
  for (const TrayMenuItem& item : kTrayMenuItems) {
    if (item.kind == TrayItemKind::Command && item.command == id) return &item;
  }
  return nullptr;
}
