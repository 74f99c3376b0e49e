// The shell's folder browse dialog as an object with settable properties:
// the root of the tree, the folder selected on opening, the prompt, the
// browse options, and the dialog's place and size on the screen. When the
// dialog opens, the object moves and resizes it, stretches the folder tree
// and moves the OK and Cancel buttons by the difference of the requested size
// from the size the dialog opened with (374 x 316 on the system the layout
// was made for).
//
// COM must be initialised on the calling thread (CoInitialize or
// OleInitialize) before Execute; the object does not do it. Only one dialog
// may be open at a time in the process: the parts found in the open dialog
// and the tree's saved window procedure are process-wide.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <array>
#include <cstdint>
#include <string>

#include "components/FolderDialog.h"

// A part of the open dialog to arrange, and the window found for it (null
// when the dialog has no such part, or no dialog is open yet).
struct TDlgControlRec {
  std::int32_t ID;
  std::string ClassName;
  TDlgControlKind Kind;
  HWND Handle;
};

// The tree, OK, Cancel and the dialog window, in this order.
extern std::array<TDlgControlRec, 4> DlgControls;

class TBrowseFolderBox {
 public:
  TBrowseFolderBox() = default;
  TBrowseFolderBox(const TBrowseFolderBox&) = delete;
  TBrowseFolderBox& operator=(const TBrowseFolderBox&) = delete;

  HWND DialogHandle = nullptr;      // the dialog while it is open
  BROWSEINFOA BrowseInfo{};         // filled by Execute
  int RootFolder = CSIDL_DESKTOP;   // a special-folder number: the tree's root
  std::string InitialFolder;        // path selected when the dialog opens
  std::string Folder;               // result: full path of the chosen folder
  std::string DisplayName;          // result: display name of the chosen item
  std::string Title;                // text above the tree
  std::string CurrentPath;          // path of the selected item while open
  TBrowseOptions Options{boReturnOnlyFSDirs};
  int Left = 0;
  int Top = 0;
  int Width = kBrowseDialogWidth;
  int Height = kBrowseDialogHeight;

  // Shows the dialog and waits until it closes. True when the user chose a
  // folder that has a file system path: Folder and DisplayName are then set.
  // False, with both unchanged, on cancel, for an item without a path, and
  // when the root folder cannot be resolved (no dialog is shown then).
  bool Execute();

  // The dialog's callback; `data` is the object. Returns 0.
  static int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM parameter, LPARAM data);
  // Finds the parts of DlgControls in DialogHandle.
  void FindControls();
  // Moves and sizes the parts found, the dialog window last, by the
  // difference of Width x Height from the dialog's size as it is now.
  void ArrangeControls();
};
