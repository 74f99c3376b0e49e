#include "components/FolderDialog.h"

namespace {

struct OptionFlag {
  TBrowseOption option;
  std::uint32_t flag;
};

constexpr OptionFlag kOptionFlags[] = {
    {boReturnOnlyFSDirs, kBifReturnOnlyFSDirs},     {boDontGoBelowDomain, kBifDontGoBelowDomain},
    {boStatusText, kBifStatusText},                 {boReturnFSAncestors, kBifReturnFSAncestors},
    {boBrowseForComputer, kBifBrowseForComputer},   {boBrowseForPrinter, kBifBrowseForPrinter},
    {boBrowseIncludeFiles, kBifBrowseIncludeFiles},
};

}  // namespace

std::uint32_t BrowseFlags(TBrowseOptions options) {
  std::uint32_t flags = 0;
  for (const OptionFlag& f : kOptionFlags) {
    if (options.Contains(f.option)) flags |= f.flag;
  }
  return flags;
}

TDlgRect ArrangedRect(TDlgControlKind kind, const TDlgRect& part, const TDlgPlacement& placement,
                      const TDlgSize& opened) {
  const int dx = placement.Width - opened.Width;
  const int dy = placement.Height - opened.Height;
  switch (kind) {
    case dkDialog:
      return {placement.Left, placement.Top, placement.Width, placement.Height};
    case dkStretch:
      return {part.X, part.Y, part.Width + dx, part.Height + dy};
    case dkShift:
      return {part.X + dx, part.Y + dy, part.Width, part.Height};
  }
  return part;
}
