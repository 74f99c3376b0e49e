// What the link window makes of a line the user double-clicked in the host:
// the links it lists, or, for the host's own notice of an attachment, the
// file or the folder the notice names; where the window goes; and what a
// double click on an entry opens. Portable: texts are bytes in the system's
// code page.
#pragma once

#include <cstddef>
#include <functional>
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

// The text the host copied is read as soon as the clipboard holds text and
// can be opened, and at the latest this long after the clipboard changed.
inline constexpr unsigned kClipboardSettleMs = 500;

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

// A rectangle on the screen, right and bottom exclusive (as RECT).
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The window's top-left corner for the mouse at (cursorX, cursorY): its lower
// left corner at the mouse, then moved as little as needed to keep the whole
// window inside `workArea` (the work area of the monitor under the mouse,
// whose coordinates may be negative left of or above the primary monitor).
// A window larger than the work area keeps its left and top edges in it.
struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};
ScreenPoint LinkWindowPosition(int cursorX, int cursorY, int formWidth, int formHeight, const ScreenRect& workArea);

// Whether the shell may be handed a link entry: only web and ftp addresses,
// "http://", "https://" or "ftp://" at the start in any ASCII case. Mail
// text is written by strangers: "file://", a share's path or any other
// registered protocol would run whatever the sender chose.
bool IsWebLink(std::string_view entry);

// Whether an attachment name from the host's notice names a file right in
// the attachment folder: not empty, no path separator ("\" or "/"), no
// colon (a drive or a stream) and no "..". Checked character by character:
// the second byte of a double-byte character ("表", "ソ") is no separator.
bool IsPlainFileName(std::string_view name);

// Whether a folder notice's path is a full path on a drive ("C:\..."): a
// share ("\\server\..."), a device path or a relative path is refused
// without being looked up.
bool IsDrivePath(std::string_view path);

// What a path names on the file system, as the Win32 side finds out.
enum class PathKind { Nothing, File, Folder };
using PathKindOf = std::function<PathKind(const std::string& path)>;

// What a double click on an entry does.
enum class EntryAction {
  NewMail,         // a new host mail with `target` (the address) in its recipients
  OpenLink,        // the shell opens `target`, a web or ftp address
  OpenAttachment,  // the shell opens `target`, a file in the attachment folder
  OpenFolder,      // the shell opens `target` as a folder, in a shell window
  Refuse,          // nothing opens; `target` is what the user is told
};
struct EntryTarget {
  EntryAction action;
  std::string target;
  friend bool operator==(const EntryTarget&, const EntryTarget&) = default;
};
// Decides what the entry opens. `kindOf` is asked only about paths that
// passed the checks above: an attachment must be a file in the attachment
// folder, a folder notice's path an existing folder.
EntryTarget TargetOf(TListMode mode, std::string_view entry, std::string_view attachFolder, PathKindOf kindOf);

// What the user is told when an entry is not opened; each names the entry.
std::string LinkRefusedMessage(std::string_view entry);
std::string AttachmentRefusedMessage(std::string_view name);
std::string AttachmentMissingMessage(std::string_view path);
std::string FolderRefusedMessage(std::string_view path);
std::string FolderMissingMessage(std::string_view path);
