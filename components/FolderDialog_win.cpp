#include "components/FolderDialog_win.h"

#include "toolbox/ShellUtils_win.h"

static_assert(kBifReturnOnlyFSDirs == BIF_RETURNONLYFSDIRS);
static_assert(kBifDontGoBelowDomain == BIF_DONTGOBELOWDOMAIN);
static_assert(kBifStatusText == BIF_STATUSTEXT);
static_assert(kBifReturnFSAncestors == BIF_RETURNFSANCESTORS);
static_assert(kBifBrowseForComputer == BIF_BROWSEFORCOMPUTER);
static_assert(kBifBrowseForPrinter == BIF_BROWSEFORPRINTER);
static_assert(kBifBrowseIncludeFiles == BIF_BROWSEINCLUDEFILES);

std::array<TDlgControlRec, 4> DlgControls = [] {
  std::array<TDlgControlRec, 4> records{};
  for (std::size_t i = 0; i < records.size(); ++i) {
    const TDlgControlPart& part = DlgControlParts[i];
    records[i] = {part.ID, part.ClassName, part.Kind, nullptr};
  }
  return records;
}();

namespace {

constexpr std::size_t kTreePart = 0;
constexpr std::size_t kOkPart = 1;

// The tree's own window procedure, while the open dialog's tree is replaced.
WNDPROC SavedTreeProc = nullptr;

// With boDblClickOK: a double click in the tree presses OK instead. The
// first click of it has already selected the item under the pointer.
LRESULT CALLBACK DblClickOkTreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDBLCLK) {
    // A button is pressed by a down and an up inside it; a down alone
    // would leave it pushed, holding the mouse capture.
    if (HWND ok = DlgControls[kOkPart].Handle) {
      PostMessageA(ok, WM_LBUTTONDOWN, 0, 0);
      PostMessageA(ok, WM_LBUTTONUP, 0, 0);
    }
    return 0;
  }
  return CallWindowProcA(SavedTreeProc, tree, message, wParam, lParam);
}

}  // namespace

bool TBrowseFolderBox::Execute() {
  const UniqueItemIdList root = SpecialFolderItems(RootFolder);
  if (!root) return false;

  char displayName[MAX_PATH + 1] = {};
  BrowseInfo = {};
  BrowseInfo.hwndOwner = nullptr;
  BrowseInfo.pidlRoot = root.get();
  BrowseInfo.pszDisplayName = displayName;
  BrowseInfo.lpszTitle = Title.c_str();
  BrowseInfo.ulFlags = BrowseFlags(Options);
  BrowseInfo.lpfn = &BrowseCallback;
  BrowseInfo.lParam = reinterpret_cast<LPARAM>(this);

  const UniqueItemIdList chosen(SHBrowseForFolderA(&BrowseInfo));
  DialogHandle = nullptr;
  bool result = false;
  if (chosen) {
    char path[MAX_PATH + 1] = {};
    if (SHGetPathFromIDListA(chosen.get(), path)) {
      Folder = path;
      DisplayName = displayName;
      result = true;
    }
  }
  // What the record pointed at is gone.
  BrowseInfo.pidlRoot = nullptr;
  BrowseInfo.pszDisplayName = nullptr;
  BrowseInfo.lpszTitle = nullptr;
  return result;
}

int CALLBACK TBrowseFolderBox::BrowseCallback(HWND dialog, UINT message, LPARAM parameter, LPARAM data) {
  auto* box = reinterpret_cast<TBrowseFolderBox*>(data);
  if (box == nullptr) return 0;
  // No exception may cross the shell's frames.
  try {
    if (box->DialogHandle == nullptr) box->DialogHandle = dialog;
    switch (message) {
      case BFFM_INITIALIZED:
        // An empty path is no folder: the shell would select a folder
        // without a path (the computer) instead of keeping its own choice.
        if (!box->InitialFolder.empty()) {
          SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(box->InitialFolder.c_str()));
        }
        box->FindControls();
        box->ArrangeControls();
        if (box->Options.Contains(boDblClickOK) && DlgControls[kTreePart].Handle != nullptr) {
          // Through a WNDPROC first: the cast to the integer the call takes
          // would hide a procedure of the wrong calling convention.
          const WNDPROC treeProc = &DblClickOkTreeProc;
          SavedTreeProc = reinterpret_cast<WNDPROC>(
              SetWindowLongPtrA(DlgControls[kTreePart].Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(treeProc)));
        }
        break;
      case BFFM_SELCHANGED: {
        // The item list belongs to the dialog.
        char path[MAX_PATH + 1] = {};
        const auto item = reinterpret_cast<LPCITEMIDLIST>(parameter);
        box->CurrentPath = item != nullptr && SHGetPathFromIDListA(item, path) ? path : "";
        // The status line, when there is one, shows the selected path.
        if (box->Options.Contains(boStatusText)) {
          SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(box->CurrentPath.c_str()));
        }
        break;
      }
      default:
        break;
    }
  } catch (...) {
  }
  return 0;
}

void TBrowseFolderBox::FindControls() {
  for (TDlgControlRec& record : DlgControls) {
    if (record.Kind == dkDialog) {
      record.Handle = DialogHandle;
    } else if (record.ID != 0) {
      record.Handle = GetDlgItem(DialogHandle, record.ID);
    } else {
      record.Handle = FindWindowExA(DialogHandle, nullptr, record.ClassName.c_str(), nullptr);
    }
  }
}

void TBrowseFolderBox::ArrangeControls() {
  const TDlgPlacement placement{Left, Top, Width, Height};
  // The parts follow the difference from the size the dialog opened with,
  // which depends on the system's version, fonts and scaling; 374 x 316
  // when it cannot be read. The dialog itself is moved last.
  TDlgSize opened;
  RECT dialog{};
  if (GetWindowRect(DialogHandle, &dialog) && dialog.right > dialog.left && dialog.bottom > dialog.top) {
    opened = {dialog.right - dialog.left, dialog.bottom - dialog.top};
  }
  for (const TDlgControlRec& record : DlgControls) {
    if (record.Handle == nullptr) continue;
    RECT bounds{};
    GetWindowRect(record.Handle, &bounds);
    POINT topLeft{bounds.left, bounds.top};
    ScreenToClient(DialogHandle, &topLeft);
    const TDlgRect part{topLeft.x, topLeft.y, bounds.right - bounds.left, bounds.bottom - bounds.top};
    const TDlgRect to = ArrangedRect(record.Kind, part, placement, opened);
    MoveWindow(record.Handle, to.X, to.Y, to.Width, to.Height, record.Kind == dkDialog);
  }
}
