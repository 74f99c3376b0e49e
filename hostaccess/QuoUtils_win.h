// The agent's toolbox, Win32 half: message boxes, the shell, files, window
// sizes, texts and enumerations, shortcuts and special folders. Texts are
// byte strings in the system's code page; the A functions throughout.
#pragma once

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "hostaccess/QuoUtils.h"

// MessageBoxA with no owner; an empty caption gives an empty title bar.
// Returns the button identifier.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);

// ShellExecuteA "open" of `file` with `parameters`, hidden or shown normally.
// True when the shell accepted the request (a result above 32).
bool ShellOpenHidden(const std::string& file, const std::string& parameters = "");
bool ShellOpen(const std::string& file, const std::string& parameters = "");

// True when `path` (wildcards allowed) matches at least one entry that is
// neither a directory nor a volume label.
bool FileMatchExists(const std::string& path);

struct WindowSize {
  int width = 0;
  int height = 0;
};
// The size of the window's rectangle; the desktop window gives the screen's.
// 0 x 0 for a window that does not exist.
WindowSize GetWindowSize(HWND window);

// The window's text or class name, at most 254 bytes.
std::string GetWindowTextString(HWND window);
std::string GetClassNameString(HWND window);

// Window handles in a TIntegerList.
inline std::int32_t WindowToListValue(HWND window) {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window));
}
inline HWND ListValueToWindow(std::int32_t value) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(value));
}

// Filter bits of ListChildWindows.
enum ChildWindowFlags : std::uint8_t {
  cwParentFirst = 1,     // the parent itself first, whatever the other bits
  cwDirectChildren = 2,  // only windows whose GetParent is the parent
  cwNoParent = 4,        // only windows whose GetParent is null
  cwVisible = 8,
  cwEnabled = 16,
};
// Clears `list`, then fills it with the parent's descendants in the system's
// order (EnumChildWindows), skipping those the flags filter out. Returns
// whether the enumeration completed.
bool ListChildWindows(HWND parent, TIntegerList& list, std::uint8_t flags);

// Filter bits of ListTopLevelWindows: not the same values as above.
enum TopLevelWindowFlags : std::uint8_t {
  twHasText = 1,  // only windows with a non-empty text
  twUnowned = 2,  // only windows without an owner
  twVisible = 4,
  twEnabled = 8,
};
// Clears `list`, then fills it with the top-level windows (EnumWindows),
// skipping those the flags filter out. Returns whether the enumeration
// completed.
bool ListTopLevelWindows(TIntegerList& list, std::uint8_t flags);

// The shell link object or one of its interfaces is not available.
class ShellLinkError : public std::runtime_error {
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

// The file system path of a shell folder (a CSIDL value). True when a path
// was obtained; `path` is empty otherwise.
bool GetSpecialFolderPath(int csidl, std::string& path);
