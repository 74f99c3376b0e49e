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
//   settext <hwnd> <text>     SetWindowTextA(<hwnd>, <text>): the rest of
//                             the command; answer: 1
//   main | memo | title       answer: that window's handle (0 if none)
//   post-thread <message>     PostThreadMessage to the host's own thread
//   bench <count>             post and retrieve <count> messages; answer:
//                             the mean cost of one message in nanoseconds
//   quit                      end the host
#pragma once

#include <windows.h>

inline constexpr ULONG_PTR STANDIN_COMMAND = 0x534F5256;
