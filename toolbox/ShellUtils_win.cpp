#include "toolbox/ShellUtils_win.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>

#include "base/CodePage.h"
#include "base/FolderPart.h"

namespace {

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

std::string HresultText(const char* step, HRESULT result) {
  std::string text = std::string(step) + ": 0x";
  const auto value = static_cast<unsigned long>(result);
  for (int shift = 28; shift >= 0; shift -= 4) text += "0123456789ABCDEF"[(value >> shift) & 0xF];
  return text;
}

// The shell link object and its two interfaces. Defined here: the system's
// GUID library would bring every GUID it knows into the program.
constexpr GUID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kShellLinkAInterface = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kPersistFileInterface = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
  // c_str() of an empty caption is "", not null: null would give "Error".
  return MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
}

bool ShellOpen(const std::string& file, const std::string& parameters) {
  return ShellOpenWith(file, parameters, SW_SHOWNORMAL);
}

bool ShellOpenFolder(const std::string& folder) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_CLASSNAME | SEE_MASK_FLAG_NO_UI;
  info.lpClass = "Folder";
  info.lpVerb = "open";
  info.lpFile = folder.c_str();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExA(&info) != FALSE;
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

ShellLinkError::ShellLinkError(const char* step, HRESULT result)
    : Error(HresultText(step, result)) {}

bool CreateShortcutFile(const std::string& shortcutPath, const std::string& target,
                        const std::string& arguments, const std::string& workingDirectory,
                        const std::string& description) {
  IShellLinkA* rawLink = nullptr;
  HRESULT hr = CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                kShellLinkAInterface, reinterpret_cast<void**>(&rawLink));
  if (FAILED(hr) || rawLink == nullptr) throw ShellLinkError("shell link object", hr);
  const UniqueCom<IShellLinkA> link(rawLink);
  IPersistFile* rawFile = nullptr;
  hr = link->QueryInterface(kPersistFileInterface, reinterpret_cast<void**>(&rawFile));
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

UniqueItemIdList SpecialFolderItems(int csidl) {
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items))) return nullptr;
  return UniqueItemIdList(items);
}

bool GetSpecialFolderPath(int csidl, std::string& path) {
  path.clear();
  const UniqueItemIdList items = SpecialFolderItems(csidl);
  if (!items) return false;
  char buffer[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(items.get(), buffer)) return false;
  path = buffer;
  return true;
}
