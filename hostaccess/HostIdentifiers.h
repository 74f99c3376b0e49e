// The vocabulary the agent and the hook library agree on, byte for byte:
// the host's window classes and the window kind that names each of them in
// every message, the private message numbers and the error report codes.
// Portable: no <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

// The host's application window is found by class and exact title.
inline constexpr char HOST_APPLICATION_CLASS[] = "TApplication";
inline constexpr char HOST_CAPTION[] = "Mochiru for Windows ver. 2.0";

// The agent's main window; the hook library finds it by this class alone.
inline constexpr char AGENT_WINDOW_CLASS[] = "TSorvik";

// The kinds of host window. The numbers are what the hook library sends the
// agent in the lParam of UM_WNDSHOWN and UM_WNDCLOSED (an agent and a hook
// library of other builds must agree on them): they never move, and a new
// kind takes the next free number. hwUnknown stands for every class the
// hook library does not report by name.
enum HostWindowKind : std::uint8_t {
  hwApplication = 0,
  hwMainWnd = 1,
  hwTxWnd = 2,
  hwRxWnd = 3,
  hwMailWnd = 4,
  hwTakaraWnd = 5,
  hwOtomodatiWnd = 6,
  hwOmochaWnd = 7,
  hwOyatsuWnd = 8,
  hwUnknown = 9,
  hwReadWnd = 10,
  hwDeleteWnd = 11,
  hwTitleWnd = 12,
  hwPrintWnd = 13,
};

// One more than the last kind: the kinds are 0 to HostWindowKindCount - 1.
inline constexpr int HostWindowKindCount = hwPrintWnd + 1;

// The host window entries of the tray menu put the windows of a kind by its
// rank, from 1 up; kLastMenuRank is for the kinds listed last, in no
// particular order among themselves. Windows of other classes come after
// every kind.
inline constexpr int kLastMenuRank = 10;

struct HostWindowKindRow {
  HostWindowKind kind;
  // The host's window class, compared exactly and case-sensitively.
  std::string_view className;
  // The host window entries of the tray menu sort by this number.
  int menuRank;
  // Whether the hook library reports a window of this class by its kind;
  // it reports every other class as hwUnknown.
  bool hookReports;
};

// The table of host window kinds, one row per kind, the row's index being
// its kind. The hook library classifies against it too (it is header-only
// and constexpr, so it needs no runtime).
inline constexpr HostWindowKindRow HostWindowKinds[] = {
    {hwApplication, "TApplication", kLastMenuRank, true},
    {hwMainWnd, "TMainWnd", 1, true},
    {hwTxWnd, "TTxWnd", 4, true},
    {hwRxWnd, "TRxWnd", 5, true},
    {hwMailWnd, "TMailWnd", 3, true},
    {hwTakaraWnd, "TTakaraWnd", 6, true},
    {hwOtomodatiWnd, "TOtomodatiWnd", 7, true},
    {hwOmochaWnd, "TOmochaWnd", 8, true},
    {hwOyatsuWnd, "TOyatsuWnd", 9, true},
    // The hole: not a class of the host's but the number every class the
    // hook library does not report by name is sent with.
    {hwUnknown, "", kLastMenuRank, true},
    {hwReadWnd, "TReadWnd", 2, true},
    {hwDeleteWnd, "TDeleteWnd", kLastMenuRank, true},
    {hwTitleWnd, "TTitleWnd", kLastMenuRank, true},
    // The hook library has always reported the print preview as hwUnknown;
    // the agent finds it by class and title instead.
    {hwPrintWnd, "TPrintWnd", kLastMenuRank, false},
};

namespace host_window_kinds_check {
constexpr bool EachRowAtItsKind() {
  for (std::size_t i = 0; i < std::size(HostWindowKinds); ++i) {
    if (static_cast<std::size_t>(HostWindowKinds[i].kind) != i) return false;
    const int rank = HostWindowKinds[i].menuRank;
    if (rank < 1 || rank > kLastMenuRank) return false;
  }
  return true;
}
}  // namespace host_window_kinds_check
static_assert(std::size(HostWindowKinds) == static_cast<std::size_t>(HostWindowKindCount), "one row for each host window kind");
static_assert(host_window_kinds_check::EachRowAtItsKind(),
              "each row of HostWindowKinds sits at the index of its kind, with a menu rank from 1 to kLastMenuRank");

// The host's window class of a kind.
constexpr std::string_view HostWindowClassName(HostWindowKind kind) { return HostWindowKinds[kind].className; }

// Classes of the host's child controls that the agent looks for.
inline constexpr char HOST_PANEL_CLASS[] = "TPanel";
inline constexpr char HOST_EDIT_CLASS[] = "TEdit";
inline constexpr char HOST_MEMO_CLASS[] = "TMemo";
inline constexpr char HOST_RICHEDIT_CLASS[] = "TRichEdit";
inline constexpr char HOST_BUTTON_CLASS[] = "TButton";
inline constexpr char HOST_LISTBOX_CLASS[] = "TMochiruListBox";

// Private messages to the agent's main window: plain numbers, not WM_USER
// offsets.
inline constexpr unsigned UM_WNDSHOWN = 28009;   // posted by the hook; sent by the agent to itself
inline constexpr unsigned UM_WNDCLOSED = 28010;  // posted by the hook; sent by the agent to itself
inline constexpr unsigned UM_LBUTTONUP = 28011;  // sent by the hook; posted by the agent to itself
inline constexpr unsigned UM_DBLCLICK = 28013;   // sent by the hook
inline constexpr unsigned UM_CLIPTEXT = 28014;   // posted by the agent to itself
inline constexpr unsigned UM_ERROR = 28019;      // error report, wParam UM_ERROR_WPARAM

// The host's thread waits at most this long for the agent to handle a
// report the hook library sends it (UM_LBUTTONUP, UM_DBLCLICK, UM_ERROR),
// answering messages sent to it meanwhile; a hung agent is not waited for.
inline constexpr unsigned AGENT_REPORT_TIMEOUT_MS = 1000;

inline constexpr unsigned UM_ERROR_WPARAM = 100;
enum ErrorDetail : int {
  errHostWindowShown = 100,  // the agent failed while handling UM_WNDSHOWN
  errSlotRead = 102,         // a slot of the shared block could not be read
  errSlotWrite = 103,        // a slot of the shared block could not be written
};

// The kind the hook library reports for a window of class `className`: the
// first row that the hook reports whose class equals it, exactly and
// case-sensitively; hwUnknown when none does ("TPrintWnd" included).
HostWindowKind ClassifyHostClassName(std::string_view className);

// The kind carried in the lParam of UM_WNDSHOWN and UM_WNDCLOSED: only its
// low 8 bits count, and values of no row name no kind.
std::optional<HostWindowKind> KindFromLParam(std::intptr_t lParam);
