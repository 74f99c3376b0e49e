#include "hostaccess/QuoUtils_win.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <memory>

#include "hostaccess/CodePage.h"
#include "hostaccess/Handles_win.h"

namespace {

// Releases a COM interface.
struct ComReleaser {
  void operator()(IUnknown* object) const noexcept { object->Release(); }
};
template <class T>
using UniqueCom = std::unique_ptr<T, ComReleaser>;

struct FindCloser {
  using pointer = HANDLE;
  void operator()(HANDLE search) const noexcept {
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
  }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

// The old volume-label attribute; the system does not name it any more, but
// an entry that carries it is no file.
constexpr DWORD kVolumeLabelAttribute = 0x8;

bool ShellOpenWith(const std::string& file, const std::string& parameters, int show) {
  const HINSTANCE result = ShellExecuteA(nullptr, "open", file.c_str(), parameters.c_str(), "", show);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

std::string ReadWindowString(HWND window, int (WINAPI* read)(HWND, LPSTR, int)) {
  char buffer[256] = {};
  read(window, buffer, 255);
  return std::string(buffer);  // up to the first null byte
}

struct ChildSearch {
  HWND parent;
  std::uint8_t flags;
  TIntegerList* list;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
  const auto* search = reinterpret_cast<const ChildSearch*>(context);
  const std::uint8_t flags = search->flags;
  const bool skip = ((flags & cwDirectChildren) && GetParent(window) != search->parent) ||
                    ((flags & cwNoParent) && GetParent(window) != nullptr) ||
                    ((flags & cwVisible) && !IsWindowVisible(window)) ||
                    ((flags & cwEnabled) && !IsWindowEnabled(window));
  if (!skip) search->list->Add(WindowToListValue(window));
  return TRUE;  // never stop early
}

struct TopLevelSearch {
  std::uint8_t flags;
  TIntegerList* list;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
  const auto* search = reinterpret_cast<const TopLevelSearch*>(context);
  const std::uint8_t flags = search->flags;
  const bool skip = ((flags & twHasText) && GetWindowTextString(window).empty()) ||
                    ((flags & twUnowned) && GetWindow(window, GW_OWNER) != nullptr) ||
                    ((flags & twVisible) && !IsWindowVisible(window)) ||
                    ((flags & twEnabled) && !IsWindowEnabled(window));
  if (!skip) search->list->Add(WindowToListValue(window));
  return TRUE;  // never stop early
}

std::string HresultText(const char* step, HRESULT result) {
  char text[128];
  std::snprintf(text, sizeof text, "%s: 0x%08lX", step, static_cast<unsigned long>(result));
  return text;
}

}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
  // c_str() of an empty caption is "", not null: null would give "Error".
  return MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
}

bool ShellOpenHidden(const std::string& file, const std::string& parameters) {
  return ShellOpenWith(file, parameters, SW_HIDE);
}

bool ShellOpen(const std::string& file, const std::string& parameters) {
  return ShellOpenWith(file, parameters, SW_SHOWNORMAL);
}

bool FileMatchExists(const std::string& path) {
  WIN32_FIND_DATAA entry{};
  const UniqueFind search(FindFirstFileA(path.c_str(), &entry));
  if (search.get() == INVALID_HANDLE_VALUE) return false;
  do {
    if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | kVolumeLabelAttribute)) == 0) return true;
  } while (FindNextFileA(search.get(), &entry));
  return false;
}

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
  ChildSearch search{parent, flags, &list};
  return EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search)) != FALSE;
}

bool ListTopLevelWindows(TIntegerList& list, std::uint8_t flags) {
  list.Clear();
  TopLevelSearch search{flags, &list};
  return EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search)) != FALSE;
}

ShellLinkError::ShellLinkError(const char* step, HRESULT result)
    : std::runtime_error(HresultText(step, result)) {}

bool CreateShortcutFile(const std::string& shortcutPath, const std::string& target,
                        const std::string& arguments, const std::string& workingDirectory,
                        const std::string& description) {
  IShellLinkA* rawLink = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IShellLinkA, reinterpret_cast<void**>(&rawLink));
  if (FAILED(hr) || rawLink == nullptr) throw ShellLinkError("shell link object", hr);
  const UniqueCom<IShellLinkA> link(rawLink);
  IPersistFile* rawFile = nullptr;
  hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile));
  if (FAILED(hr) || rawFile == nullptr) throw ShellLinkError("IPersistFile of the shell link", hr);
  const UniqueCom<IPersistFile> file(rawFile);

  const std::string folder = workingDirectory.empty() ? ExtractFolderPart(target) : workingDirectory;
  // The results of these four are not examined: the save tells.
  link->SetPath(target.c_str());
  link->SetArguments(arguments.c_str());
  link->SetWorkingDirectory(folder.c_str());
  link->SetDescription(description.c_str());

  const std::u16string widePath = AnsiToUtf16(shortcutPath);
  const auto* path = reinterpret_cast<LPCOLESTR>(widePath.c_str());
  return FAILED(file->Save(path, FALSE));
}

bool GetSpecialFolderPath(int csidl, std::string& path) {
  path.clear();
  IMalloc* rawMalloc = nullptr;
  if (FAILED(SHGetMalloc(&rawMalloc)) || rawMalloc == nullptr) return false;
  const UniqueCom<IMalloc> shellMalloc(rawMalloc);
  bool found = false;
  LPITEMIDLIST items = nullptr;
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) && items != nullptr) {
    char buffer[MAX_PATH] = {};
    if (SHGetPathFromIDListA(items, buffer)) {
      path = buffer;
      found = true;
    }
    shellMalloc->Free(items);
  }
  return found;
}
