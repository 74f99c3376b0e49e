#include "toolbox/WindowUtils_win.h"

#include "toolbox/Timeout.h"

#include <algorithm>
#include <exception>

namespace {

std::string ReadWindowString(HWND window, int (WINAPI* read)(HWND, LPSTR, int)) {
  char buffer[256] = {};
  read(window, buffer, 255);
  return std::string(buffer);  // up to the first null byte
}

// What an enumeration callback needs, and the exception it caught: nothing
// may cross user32's frames, so a failure (the list cannot grow) stops the
// enumeration and is thrown again once the system has returned.
struct Search {
  HWND parent;
  std::uint8_t flags;
  TIntegerList* list;
  std::exception_ptr failure;
};

bool SkipsChild(const Search& search, HWND window) {
  const std::uint8_t flags = search.flags;
  return ((flags & cwDirectChildren) && GetParent(window) != search.parent) ||
         ((flags & cwNoParent) && GetParent(window) != nullptr) ||
         ((flags & cwVisible) && !IsWindowVisible(window)) ||
         ((flags & cwEnabled) && !IsWindowEnabled(window));
}

bool SkipsTopLevel(const Search& search, HWND window) {
  const std::uint8_t flags = search.flags;
  return ((flags & twHasText) && GetWindowTextString(window).empty()) ||
         ((flags & twUnowned) && GetWindow(window, GW_OWNER) != nullptr) ||
         ((flags & twVisible) && !IsWindowVisible(window)) ||
         ((flags & twEnabled) && !IsWindowEnabled(window));
}

template <bool (*Skips)(const Search&, HWND)>
BOOL CALLBACK Collect(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  try {
    if (!Skips(*search, window)) search->list->Add(WindowToListValue(window));
  } catch (...) {
    search->failure = std::current_exception();
    return FALSE;
  }
  return TRUE;  // otherwise never stop early
}

}  // namespace

WindowSize GetWindowSize(HWND window) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return {};
  return {rect.right - rect.left, rect.bottom - rect.top};
}

std::string GetWindowTextString(HWND window) { return ReadWindowString(window, GetWindowTextA); }
std::string GetClassNameString(HWND window) { return ReadWindowString(window, GetClassNameA); }

bool ListChildWindows(HWND parent, TIntegerList& list, std::uint8_t flags) {
  list.Clear();
  if (flags & cwParentFirst) list.Add(WindowToListValue(parent));
  Search search{parent, flags, &list, nullptr};
  const bool completed =
      EnumChildWindows(parent, Collect<SkipsChild>, reinterpret_cast<LPARAM>(&search)) != FALSE;
  if (search.failure) std::rethrow_exception(search.failure);
  return completed;
}

bool ListTopLevelWindows(TIntegerList& list, std::uint8_t flags) {
  list.Clear();
  Search search{nullptr, flags, &list, nullptr};
  const bool completed = EnumWindows(Collect<SkipsTopLevel>, reinterpret_cast<LPARAM>(&search)) != FALSE;
  if (search.failure) std::rethrow_exception(search.failure);
  return completed;
}



int ControlTextLength(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kControlAnswerMs, &length)) {
    return 0;
  }
  return static_cast<int>(length);
}

std::string ControlText(HWND control, int maxChars) {
  if (maxChars <= 0) return {};
  std::string buffer(static_cast<std::size_t>(maxChars) + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_ABORTIFHUNG, kControlAnswerMs, &copied)) {
    return {};
  }
  buffer.resize(std::min<std::size_t>(copied, static_cast<std::size_t>(maxChars)));
  return buffer.substr(0, buffer.find('\0'));
}
