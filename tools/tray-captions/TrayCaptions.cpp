// Prints the caption of every item of the tray menu's table that has one
// (its submenus and its commands), one a line, in the ANSI code page as the
// agent shows them. scripts/inspect-release.sh checks that the help page
// has a section for each.
#include <cstdio>

#include "agent/TrayMenu.h"

int main() {
  for (const TrayMenuItem& item : TrayMenuItems()) {
    if (item.caption != nullptr) std::printf("%s\n", item.caption);
  }
  return 0;
}
