// Message boxes, the shell, files, shortcuts and special folders. Texts are
// byte strings in the system's code page; the A functions throughout.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "base/Error.h"
#include "base/Handles_win.h"

// MessageBoxA with no owner; an empty caption gives an empty title bar.
// Returns the button identifier.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);

// ShellExecuteA "open" of `file` with `parameters`, shown normally: what is
// opened for the user is shown to the user. True when the shell accepted
// the request (a result above 32).
bool ShellOpen(const std::string& file, const std::string& parameters = "");
// Opens `folder` as a folder in a shell window, shown normally: the open
// command of the shell's "Folder" class, never a file or a program that
// the path might also name. True when the shell accepted the request.
bool ShellOpenFolder(const std::string& folder);

// True when `path` (wildcards allowed) matches at least one entry that is
// neither a directory nor a volume label.
bool FileMatchExists(const std::string& path);

// The shell link object or one of its interfaces is not available.
class ShellLinkError : public Error {
 public:
  ShellLinkError(const char* step, HRESULT result);
};

// Writes a shortcut (.lnk) at `shortcutPath` to `target`. An empty
// `workingDirectory` stands for the target's folder with its trailing
// backslash. Returns TRUE WHEN THE SHORTCUT WAS NOT SAVED, false on success;
// throws ShellLinkError when the shell link object cannot be had. The
// calling thread must have initialised COM.
bool CreateShortcutFile(const std::string& shortcutPath, const std::string& target,
                        const std::string& arguments, const std::string& workingDirectory,
                        const std::string& description);

// A list of shell item identifiers that the shell allocated, freed with the
// shell's allocator (the COM task allocator) when its owner goes.
struct ItemIdListFreer {
  void operator()(ITEMIDLIST* items) const noexcept { CoTaskMemFree(items); }
};
using UniqueItemIdList = std::unique_ptr<ITEMIDLIST, ItemIdListFreer>;

// The items of a shell special folder (a CSIDL value); null when the shell
// cannot give them.
UniqueItemIdList SpecialFolderItems(int csidl);

// The file system path of a shell folder (a CSIDL value). True when a path
// was obtained; `path` is empty otherwise.
bool GetSpecialFolderPath(int csidl, std::string& path);
