#include "toolbox/Clipboard_win.h"

#include <windows.h>

#include <cstring>

#include "toolbox/Waiting_win.h"

namespace {

// The clipboard, open for as long as the object lives.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(unsigned limitMs = kClipboardOpenLimitMs) {
    const DWORD start = GetTickCount();
    while (!(open_ = OpenClipboard(nullptr) != FALSE) && GetTickCount() - start < limitMs) {
      PauseAnsweringSentMessages(kClipboardOpenRetryMs);
    }
  }
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace

bool SetClipboardText(const std::string& text) {
  const OpenedClipboard clipboard;
  if (!clipboard) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (memory == nullptr) return false;
  if (void* bytes = GlobalLock(memory)) {
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
  }
  if (SetClipboardData(CF_TEXT, memory) == nullptr) {
    GlobalFree(memory);  // still ours when the clipboard did not take it
    return false;
  }
  return true;
}

std::string GetClipboardText() { return TryGetClipboardText().value_or(std::string()); }

std::optional<std::string> TryGetClipboardText(unsigned openLimitMs) {
  const OpenedClipboard clipboard(openLimitMs);
  if (!clipboard) return std::nullopt;
  std::string text;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data == nullptr) return text;
  if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
    // The block may be larger than the text; the text ends at its first zero.
    text.assign(bytes, strnlen(bytes, GlobalSize(data)));
    GlobalUnlock(data);
  }
  return text;
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }
