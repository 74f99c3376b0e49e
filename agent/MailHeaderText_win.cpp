#include "agent/MailHeaderText_win.h"

#include <algorithm>

#include "agent/MailCommands.h"
#include "toolbox/WindowUtils_win.h"

std::string ReadHeaderText(HWND edit) {
  if (edit == nullptr) return {};
  const int length = std::min(ControlTextLength(edit), kMaxHeaderChars);
  if (length <= 0) return {};
  return CutAtCharacterBoundary(ControlText(edit, length), static_cast<std::size_t>(length));
}
