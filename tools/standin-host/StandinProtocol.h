// The command channel of the stand-in host, shared with the tests that
// drive it. A command is an ANSI text sent with WM_COPYDATA (dwData =
// STANDIN_COMMAND) to the host's application window; the result of
// SendMessage is the command's answer (a window handle, a count, ...; -1
// for an unknown or malformed command). Handles are written in decimal.
//
//   show <class> [title]      create a window of <class> owned by the
//                             application window, show it; answer: handle
//   create <class> [title]    the same, left hidden
//   child <parent> <class>    create a hidden child control of <class> in
//                             <parent>, then show it; answer: handle
//   showwin <hwnd>            ShowWindow(SW_SHOW)
//   hide <hwnd>               ShowWindow(SW_HIDE)
//   close <hwnd>              as the close box does: WM_SYSCOMMAND/SC_CLOSE
//   refuse <hwnd>             from now on <hwnd> refuses WM_CLOSE
//   destroy <hwnd>            DestroyWindow
//   memo-text <text>          put <text> (all the rest of the command,
//                             line breaks included) into the main
//                             window's memo; answer: the memo's handle
//   show-read [title]         a "TReadWnd" with a "TMemo" above a "TRichEdit",
//                             titled last, shown; answer: handle
//   show-with-list <class>    a "TOyatsuWnd" or "TOmochaWnd" with a list and
//                             its button in a panel, shown; answer: handle
//   set-text <hwnd> <text>    put <text> (all the rest of the command, line
//                             breaks included) into a control
//   line-point <hwnd> <n>     a screen point inside line <n> (from 0) of an
//                             edit control; answer: MAKELPARAM(x, y), -1
//                             when there is no such line
//   main | memo | title       answer: that window's handle (0 if none)
//   post-thread <message>     PostThreadMessage to the host's own thread
//   free-library <name>       FreeLibrary of the module <name> loaded in the
//                             host, as Windows unloads a hook library from a
//                             process once no hook needs it (Wine never
//                             does); answer: 1, or 0 when none is loaded
//   bench <count>             post and retrieve <count> messages; answer:
//                             the mean cost of one message in nanoseconds
//   rx-window                 show a received-mail window "TRxWnd" (command
//                             52 opens the print preview "TPrintWnd" "印刷");
//                             answer: handle
//   print-text <text>         the header text of the previews opened from
//                             now on (all the rest of the command, line
//                             breaks included)
//   print-delay <ms>          how long after command 52 the preview opens;
//                             -1: never (default 0)
//   mail-delay <ms>           how long after command 4 on the main window a
//                             mail-writing window "TMailWnd" "メールを書く"
//                             opens; -1: never (default 0)
//   mail-caption-first <fields-ms> <shown-ms>
//                             from now on command 4's mail-writing window
//                             is built as the host builds its own: titled
//                             as it is made, its fields made <fields-ms>
//                             and the window shown <shown-ms> later (-1:
//                             never); by default the fields come first,
//                             then the title and the showing, at once
//   mail-window               a mail-writing window "TMailWnd" at once
//                             (fields first, title last); answer: handle
//   ping-max                  answer: the longest time in ms a ping waited
//                             in the host's queue since the last ping-max
//   quit                      end the host
//
// A ping is STANDIN_PING posted to the application window with the
// sender's GetTickCount() in lParam: the host notes how long it waited.
//
// Besides the channel, --friend-book <path> on the command line writes a
// sample friend book there when no file is there yet.
//
// The log, one event a line: created, shown, hidden, close, destroyed,
// dblclick and lbuttonup of windows and controls; "command <class> <hwnd>
// <id>" for commands 52 and 4; "preview <hwnd> text <hwnd> cancel <hwnd>"
// and "mailwindow <hwnd> to <hwnd> cc <hwnd> subject <hwnd> body <hwnd>"
// as those windows are made (a mail-writing window built title first logs
// "mailwindow-titled <hwnd>" before); "clicked <caption> <hwnd>" for the preview's
// buttons; "paste <class> <hwnd> <text after the paste>" (line breaks
// written as \r and \n).
#pragma once

#include <windows.h>

inline constexpr ULONG_PTR STANDIN_COMMAND = 0x534F5256;
inline constexpr UINT STANDIN_PING = WM_APP + 2;
