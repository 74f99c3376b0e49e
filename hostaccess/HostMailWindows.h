// The host's mail windows as the mail commands reach them: the command
// identifiers the host's windows take in WM_COMMAND, and the classes, titles
// and captions of the windows those commands open. Portable.
#pragma once

// WM_COMMAND (lParam 0) to the received-mail window "TRxWnd": print the
// selected mail, which opens the print preview.
inline constexpr unsigned HOST_CMD_PRINT = 52;
// WM_COMMAND (lParam 0) to the main window "TMainWnd": write a new mail,
// which opens a mail-writing window.
inline constexpr unsigned HOST_CMD_NEW_MAIL = 4;

// The print preview: found by class and exact title. A panel with an empty
// title holds the rich edit with the mail's header text and the cancel
// button, whose caption is in half-width katakana.
inline constexpr char HOST_PRINT_CLASS[] = "TPrintWnd";
inline constexpr char HOST_PRINT_TITLE[] = "印刷";
inline constexpr char HOST_PRINT_CANCEL_CAPTION[] = "ｷｬﾝｾﾙ";

// The mail-writing window: found by class and exact title.
inline constexpr char HOST_MAIL_CLASS[] = "TMailWnd";
inline constexpr char HOST_MAIL_TITLE[] = "メールを書く";
