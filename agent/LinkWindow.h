// What the link window makes of a line the user double-clicked in the host:
// the links it lists, or, for the host's own notice of an attachment, the
// file or the folder the notice names; where the window goes; and what a
// double click on an entry opens. Portable: texts are bytes in the system's
// code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The host's notice lines, matched byte for byte.
inline constexpr char NOTICE_MARKER[] = "Mochiru>>>>>";          // at the very start
inline constexpr char ATTACHMENT_PREFIX[] = "添付ファイル:";      // right after the marker
inline constexpr char ATTACHMENT_SUFFIX[] = " がありました。";   // ends the file name
inline constexpr char EXTRACTION_PHRASE[] = "に展開しました";     // the folder stands before it
// How much of a notice is cut from the suffix or the phrase on.
inline constexpr std::size_t NOTICE_CUT_BYTES = 50;

// What the list holds.
enum TListMode : int { lmLinks = 0, lmAttachment = 1, lmFolder = 2 };

struct CopiedLine {
  // Links (lmLinks), one attachment file (lmAttachment), one folder
  // (lmFolder). A notice that is neither keeps the mode and the labels the
  // window had: `keepsMode` is then set and the list is empty.
  TListMode mode = lmLinks;
  bool keepsMode = false;
  std::vector<std::string> entries;
};

// The line's entries:
// - a line that begins with the marker and then the attachment prefix: the
//   file name, up to the suffix;
// - a line that begins with the marker and holds the extraction phrase: the
//   folder path before the phrase;
// - any other line that begins with the marker: nothing, mode kept;
// - any other line: its URLs in order, then "mailto:" + each mail address in
//   order; duplicates stay.
// From the suffix or the phrase on, 50 bytes are cut (or up to the end), and
// never half a double-byte character.
CopiedLine ReadCopiedLine(std::string_view text);

// The labels of a mode; the attachment mode's first label is the attachment
// folder itself.
struct LinkLabels {
  std::string label1;
  std::string label2;
};
LinkLabels LabelsFor(TListMode mode, std::string_view attachFolder);

// The window's top-left corner for the mouse at (cursorX, cursorY): its lower
// left corner at the mouse, moved left as far as needed to keep its right
// edge on the screen. Nothing keeps the top edge on the screen.
struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};
ScreenPoint LinkWindowPosition(int cursorX, int cursorY, int formWidth, int formHeight, int screenWidth);

// What a double click on an entry opens.
enum class EntryAction {
  NewMail,     // a new host mail with `target` (the address) in its recipients
  OpenHidden,  // the shell's "open", hidden: a URL, an attachment file
  OpenShown,   // the shell's "open", shown normally: a folder
};
struct EntryTarget {
  EntryAction action;
  std::string target;
  friend bool operator==(const EntryTarget&, const EntryTarget&) = default;
};
EntryTarget TargetOf(TListMode mode, std::string_view entry, std::string_view attachFolder);
