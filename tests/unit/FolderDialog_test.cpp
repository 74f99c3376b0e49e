// The folder browse dialog's rules: browse options to shell flags, and where
// each part of the open dialog goes for a requested place and size.
#include "components/FolderDialog.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(BrowseFlags, EachOptionAddsItsFlag) {
  struct Case {
    TBrowseOptions options;
    std::uint32_t flags;
  };
  const Case cases[] = {
      {{}, 0x0000},
      {{boReturnOnlyFSDirs}, 0x0001},
      {{boDontGoBelowDomain}, 0x0002},
      {{boStatusText}, 0x0004},
      {{boReturnFSAncestors}, 0x0008},
      {{boBrowseForComputer}, 0x1000},
      {{boBrowseForPrinter}, 0x2000},
      {{boBrowseIncludeFiles}, 0x4000},
      {{boDblClickOK}, 0x0000},  // handled by the tree, not by the shell
      {{boReturnOnlyFSDirs, boStatusText}, 0x0005},  // the attachment folder choice
      {{boReturnOnlyFSDirs, boDontGoBelowDomain, boStatusText, boReturnFSAncestors, boBrowseForComputer,
        boBrowseForPrinter, boBrowseIncludeFiles, boDblClickOK},
       0x700F},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BrowseFlags(c.options), c.flags) << "options bits " << int(c.options.Bits());
  }
}

TEST(BrowseOptions, IncludeAndExcludeTouchOnlyTheirOwnBit) {
  TBrowseOptions options{boReturnOnlyFSDirs};
  options.Include(boStatusText).Include(boDblClickOK);
  EXPECT_EQ(options.Bits(), 0x85);
  EXPECT_TRUE(options.Contains(boDblClickOK));
  options.Exclude(boReturnOnlyFSDirs).Exclude(boBrowseForPrinter);
  EXPECT_EQ(options.Bits(), 0x84);
  EXPECT_FALSE(options.Contains(boReturnOnlyFSDirs));
  EXPECT_EQ(options, (TBrowseOptions{boStatusText, boDblClickOK}));
}

TEST(ArrangedRect, PartsFollowTheDifferenceFromTheSizeTheDialogOpenedWith) {
  // Parts as a dialog lays them out, in its client coordinates.
  const TDlgRect tree{12, 40, 260, 180};
  const TDlgRect ok{100, 240, 75, 23};
  const TDlgRect dialogNow{400, 300, 374, 316};
  const TDlgSize laidOutFor{374, 316};  // the system the layout was made for
  const TDlgSize other{291, 342};       // a dialog that opened at another size
  struct Case {
    const char* name;
    TDlgControlKind kind;
    TDlgRect part;
    TDlgPlacement placement;
    TDlgSize opened;
    TDlgRect expected;
  };
  const Case cases[] = {
      {"defaults keep the tree", dkStretch, tree, {}, laidOutFor, tree},
      {"defaults keep a button", dkShift, ok, {}, laidOutFor, ok},
      {"defaults put the dialog at 0,0 in 374 x 316", dkDialog, dialogNow, {}, laidOutFor, {0, 0, 374, 316}},
      {"a narrower dialog shrinks the tree", dkStretch, tree, {0, 0, 354, 316}, laidOutFor, {12, 40, 240, 180}},
      {"a narrower dialog moves a button left", dkShift, ok, {0, 0, 354, 316}, laidOutFor, {80, 240, 75, 23}},
      {"a larger dialog grows the tree both ways", dkStretch, tree, {5, 6, 400, 400}, laidOutFor, {12, 40, 286, 264}},
      {"the agent's 300 x 500: tree -74/+184", dkStretch, tree, {50, 50, 300, 500}, laidOutFor, {12, 40, 186, 364}},
      {"the agent's 300 x 500: button moved -74/+184", dkShift, ok, {50, 50, 300, 500}, laidOutFor,
       {26, 424, 75, 23}},
      {"the agent's 300 x 500: dialog at 50,50", dkDialog, dialogNow, {50, 50, 300, 500}, laidOutFor,
       {50, 50, 300, 500}},
      {"opened at 291 x 342: the agent's tree +9/+158", dkStretch, tree, {50, 50, 300, 500}, other,
       {12, 40, 269, 338}},
      {"opened at 291 x 342: the agent's button moved +9/+158", dkShift, ok, {50, 50, 300, 500}, other,
       {109, 398, 75, 23}},
      {"opened at 291 x 342: defaults -26 tall", dkShift, ok, {}, other, {183, 214, 75, 23}},
      {"an unknown kind stays", static_cast<TDlgControlKind>(3), ok, {50, 50, 300, 500}, laidOutFor, ok},
  };
  for (const Case& c : cases) {
    const TDlgRect got = ArrangedRect(c.kind, c.part, c.placement, c.opened);
    EXPECT_EQ(got, c.expected) << c.name << ": got " << got.X << "," << got.Y << " " << got.Width << "x"
                               << got.Height;
  }
}

}  // namespace
