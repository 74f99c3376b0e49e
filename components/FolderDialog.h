// What the folder browse dialog decides from its settings: the shell's browse
// flags for a set of options, and where each arranged part of the open dialog
// goes. Portable; the Win32 side (FolderDialog_win.h) carries it out.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

enum TBrowseOption : std::uint8_t {
  boReturnOnlyFSDirs = 0,
  boDontGoBelowDomain = 1,
  boStatusText = 2,
  boReturnFSAncestors = 3,
  boBrowseForComputer = 4,
  boBrowseForPrinter = 5,
  boBrowseIncludeFiles = 6,
  boDblClickOK = 7,  // a double click in the tree presses OK; no shell flag
};

// A set of browse options, one bit per option.
class TBrowseOptions {
 public:
  constexpr TBrowseOptions() = default;
  constexpr TBrowseOptions(std::initializer_list<TBrowseOption> options) {
    for (TBrowseOption o : options) Include(o);
  }
  constexpr bool Contains(TBrowseOption o) const { return (bits_ >> o) & 1u; }
  constexpr TBrowseOptions& Include(TBrowseOption o) {
    bits_ = static_cast<std::uint8_t>(bits_ | (1u << o));
    return *this;
  }
  constexpr TBrowseOptions& Exclude(TBrowseOption o) {
    bits_ = static_cast<std::uint8_t>(bits_ & ~(1u << o));
    return *this;
  }
  constexpr std::uint8_t Bits() const { return bits_; }
  friend constexpr bool operator==(TBrowseOptions, TBrowseOptions) = default;

 private:
  std::uint8_t bits_ = 0;
};

// The shell's browse flags (BIF_*), as the shell defines them.
inline constexpr std::uint32_t kBifReturnOnlyFSDirs = 0x0001;
inline constexpr std::uint32_t kBifDontGoBelowDomain = 0x0002;
inline constexpr std::uint32_t kBifStatusText = 0x0004;
inline constexpr std::uint32_t kBifReturnFSAncestors = 0x0008;
inline constexpr std::uint32_t kBifBrowseForComputer = 0x1000;
inline constexpr std::uint32_t kBifBrowseForPrinter = 0x2000;
inline constexpr std::uint32_t kBifBrowseIncludeFiles = 0x4000;

// The or of the flags of the options present.
std::uint32_t BrowseFlags(TBrowseOptions options);

// The size the dialog is taken to have opened with when its own size cannot
// be read. The requested size's difference from the size the dialog opened
// with is what the tree grows by and the buttons move by.
inline constexpr int kBrowseDialogWidth = 374;
inline constexpr int kBrowseDialogHeight = 316;

// How a part of the dialog is arranged.
enum TDlgControlKind : std::uint8_t {
  dkDialog = 0,   // the dialog window: placed at the requested place and size
  dkStretch = 1,  // grows by the size difference
  dkShift = 2,    // moves by the size difference
};

// One arranged part: found by dialog control ID, or by class when ID is 0;
// the dialog window itself for dkDialog.
struct TDlgControlPart {
  std::int32_t ID;
  const char* ClassName;
  TDlgControlKind Kind;
};

// The parts, in the order they are arranged: the dialog window comes last.
inline constexpr std::array<TDlgControlPart, 4> DlgControlParts{{
    {0, "SysTreeView32", dkStretch},  // the folder tree
    {1, "Button", dkShift},           // OK
    {2, "Button", dkShift},           // Cancel
    {0, "", dkDialog},                // the dialog window
}};

// A rectangle as position and size; for a part, in the dialog's client
// coordinates; for the dialog, on the screen.
struct TDlgRect {
  int X = 0, Y = 0, Width = 0, Height = 0;
  friend bool operator==(const TDlgRect&, const TDlgRect&) = default;
};

// The requested place and size of the dialog on the screen.
struct TDlgPlacement {
  int Left = 0, Top = 0, Width = kBrowseDialogWidth, Height = kBrowseDialogHeight;
};

// The dialog's outer size when it opened, before it is arranged.
struct TDlgSize {
  int Width = kBrowseDialogWidth, Height = kBrowseDialogHeight;
};

// Where a part of kind `kind`, now at `part`, goes for `placement` in a
// dialog that opened `opened` large. A kind not listed above stays where it
// is.
TDlgRect ArrangedRect(TDlgControlKind kind, const TDlgRect& part, const TDlgPlacement& placement,
                      const TDlgSize& opened);
