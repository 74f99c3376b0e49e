// The vocabulary the agent and the hook library agree on, byte for byte:
// the host's window classes and the window kind that names each of them in
// every message, the private message numbers and the error report codes.
// Portable: no <windows.h>.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The host's application window is found by class and exact title.
inline constexpr char HOST_APPLICATION_CLASS[] = "TApplication";
inline constexpr char HOST_CAPTION[] = "Mochiru for Windows ver. 2.0";

// The agent's main window; the hook library finds it by this class alone.
inline constexpr char AGENT_WINDOW_CLASS[] = "TSorvik";

// Index into HostWindowClassNames. hwUnknown stands for every unlisted class.
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

inline constexpr int HostWindowKindCount = 14;
// The hook library classifies against the first 13 entries only, so a
// "TPrintWnd" window reaches the agent as hwUnknown.
inline constexpr int HookClassifiedKindCount = 13;

// Entry 9 is an empty name, not a missing entry: the entries after it keep
// their numbers because of it.
inline constexpr std::array<std::string_view, HostWindowKindCount> HostWindowClassNames = {
    "TApplication", "TMainWnd",   "TTxWnd",     "TRxWnd",   "TMailWnd",
    "TTakaraWnd",   "TOtomodatiWnd", "TOmochaWnd", "TOyatsuWnd", "",
    "TReadWnd",     "TDeleteWnd", "TTitleWnd",  "TPrintWnd",
};

// The host window menu sorts its entries by these keys instead of the class
// names ("AA" < "AAB" < "AAC" < "AB" < ... < "AZ").
inline constexpr std::array<std::string_view, HostWindowKindCount> HostWindowSortKeys = {
    "AZ", "AA", "AB", "AC", "AAC", "AE", "AF", "AG", "AH", "AZ", "AAB", "AZ", "AZ", "AZ",
};

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
// first of the table's first 13 entries that equals it, exactly and
// case-sensitively; hwUnknown when none does ("TPrintWnd" included).
HostWindowKind ClassifyHostClassName(std::string_view className);

// The kind carried in the lParam of UM_WNDSHOWN and UM_WNDCLOSED: only its
// low 8 bits count, and values above 13 name no kind.
std::optional<HostWindowKind> KindFromLParam(std::intptr_t lParam);
