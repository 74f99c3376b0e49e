// A stand-in for the host: the window classes, titles and ownership the agent
// relies on, driven by tests through a small command channel, logging what
// happens to it. Not a product; it only takes the host's place.
//
// This file holds the application window, the command channel and the
// program's start; each kind of host window it imitates has a file of its
// own (HostWindow for any class, MainWindow, ...).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "base/ModulePath_win.h"
#include "hostaccess/HostIdentifiers.h"
#include "tools/standin-host/ButtonListWindows.h"
#include "tools/standin-host/Controls.h"
#include "tools/standin-host/FriendBookFile.h"
#include "tools/standin-host/HostWindow.h"
#include "tools/standin-host/Log.h"
#include "tools/standin-host/MailScenario.h"
#include "tools/standin-host/MailWindow.h"
#include "tools/standin-host/MainWindow.h"
#include "tools/standin-host/ReadWindow.h"
#include "tools/standin-host/ReceivedMailWindow.h"
#include "tools/standin-host/StandinProtocol.h"

namespace standin {
namespace {

constexpr UINT_PTR kHeartbeatTimer = 1;
constexpr UINT_PTR kTitleTimer = 2;
constexpr UINT_PTR kNewMailTimer = 3;
constexpr UINT kBenchMessage = WM_APP + 1;

class StandinHost : public MessageHandler, public WindowOwner {
 public:
  StandinHost(std::string caption, int titleWindowMs)
      : caption_(std::move(caption)), titleWindowMs_(titleWindowMs) {}

  bool Create();
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed(HWND window) override;

 private:
  HWND NewWindow(const std::string& cls, const std::string& title, HWND owner, DWORD style, int x,
                 int y, int w, int h);
  LRESULT Command(const std::string& text);
  LRESULT Bench(long count);
  LRESULT MailCommand(const std::string& verb, const std::string& text, std::istringstream& in);
  void NewMail();

  std::string caption_;
  int titleWindowMs_;
  HWND app_ = nullptr;
  HWND main_ = nullptr;
  HWND memo_ = nullptr;
  HWND title_ = nullptr;
  std::map<HWND, HostWindow*> windows_;
  MailScenario mail_;
  // The longest wait of a posted ping since the last "ping-max", in ms.
  DWORD longestPing_ = 0;
};

HWND StandinHost::NewWindow(const std::string& cls, const std::string& title, HWND owner,
                            DWORD style, int x, int y, int w, int h) {
  if (IsControlClass(cls)) {
    HWND control = CreateWindowExA(0, cls.c_str(), title.c_str(), style, x, y, w, h, owner, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    Log("created " + cls + " " + HandleText(control));
    return control;
  }
  auto* handler = new HostWindow(*this);
  HWND window = HostWindow::Create(handler, cls, title, owner, style, x, y, w, h);
  if (window != nullptr) windows_[window] = handler;
  return window;
}

void StandinHost::WindowDestroyed(HWND window) {
  windows_.erase(window);
  if (window == title_) title_ = nullptr;
  if (window == main_) {
    // Closing the main window ends the host, as it does the real one.
    main_ = nullptr;
    memo_ = nullptr;
    if (app_ != nullptr) DestroyWindow(app_);
  }
}

bool StandinHost::Create() {
  RegisterControlClasses();
  RegisterRoutedClass(HOST_APPLICATION_CLASS, HostWindow::ClassOptions());
  // The application window: hidden, and the owner of every top-level window.
  app_ = CreateRoutedWindow(this, 0, HOST_APPLICATION_CLASS, caption_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                            nullptr);
  if (app_ == nullptr) return false;
  Log("started " + HandleText(app_));
  SetTimer(app_, kHeartbeatTimer, 50, nullptr);

  if (titleWindowMs_ != 0) {
    title_ = NewWindow(HostWindowClassName(hwTitleWnd).data(), "モチル", app_,
                       WS_POPUP | WS_BORDER, 440, 360, 400, 300);
    ShowWindow(title_, SW_SHOW);
    if (titleWindowMs_ > 0) SetTimer(app_, kTitleTimer, titleWindowMs_, nullptr);
  }
  MainWindow* main = MainWindow::Create(*this, app_);
  if (main == nullptr) return false;
  main_ = main->handle;
  memo_ = main->memo;
  main->onNewMail = [this] { NewMail(); };
  windows_[main_] = main;
  if (title_ != nullptr) SetWindowPos(title_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return true;
}

// A point on the screen inside line `line` of an edit control (scrolled into
// view), a few pixels right of its first character, packed as x in the low and y in the high
// word; -1 when the control has no such line. Only the control's own process
// can ask it for character positions.
LRESULT LinePoint(HWND edit, int line) {
  const LRESULT start = SendMessageA(edit, EM_LINEINDEX, line, 0);
  if (start < 0) return -1;
  // The line's start into view, as a user scrolls back to it.
  SendMessageA(edit, EM_SETSEL, start, start);
  SendMessageA(edit, EM_SCROLLCARET, 0, 0);
  TEXTMETRICA metrics{};
  HDC dc = GetDC(edit);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)));
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  LRESULT position = SendMessageA(edit, EM_POSFROMCHAR, start, 0);
  POINT at{};
  if (position == -1) {
    // The last line, empty: one line below the start of the one before.
    if (line == 0) return -1;
    position = SendMessageA(edit, EM_POSFROMCHAR, SendMessageA(edit, EM_LINEINDEX, line - 1, 0), 0);
    if (position == -1) return -1;
    at = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position)) + metrics.tmHeight};
  } else {
    at = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  }
  at.x += 3;
  at.y += metrics.tmHeight / 2;
  ClientToScreen(edit, &at);
  return MAKELPARAM(at.x, at.y);
}

HWND ParseHandle(std::istringstream& in) {
  long long value = 0;
  in >> value;
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(value));
}

std::string RestOf(std::istringstream& in) {
  std::string rest;
  std::getline(in, rest);
  if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
  return rest;
}

LRESULT StandinHost::Command(const std::string& text) {
  Log("command " + text);
  std::istringstream in(text);
  std::string verb;
  in >> verb;
  if (verb == "show" || verb == "create") {
    std::string cls;
    in >> cls;
    if (cls.empty()) return -1;
    HWND window = NewWindow(cls, RestOf(in), app_, WS_OVERLAPPEDWINDOW, 200, 150, 320, 240);
    if (window != nullptr && verb == "show") ShowWindow(window, SW_SHOW);
    return reinterpret_cast<LRESULT>(window);
  }
  if (verb == "child") {
    HWND parent = ParseHandle(in);
    std::string cls;
    in >> cls;
    if (!IsWindow(parent) || cls.empty()) return -1;
    HWND child = NewWindow(cls, "", parent, WS_CHILD, 10, 10, 120, 60);
    if (child != nullptr) ShowWindow(child, SW_SHOW);
    return reinterpret_cast<LRESULT>(child);
  }
  if (verb == "showwin" || verb == "hide" || verb == "close" || verb == "refuse" || verb == "destroy") {
    HWND window = ParseHandle(in);
    if (!IsWindow(window)) return -1;
    if (verb == "showwin") ShowWindow(window, SW_SHOW);
    if (verb == "hide") ShowWindow(window, SW_HIDE);
    // The close box goes through the system command, whose default handling
    // sends WM_CLOSE.
    if (verb == "close") SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (verb == "refuse") {
      auto found = windows_.find(window);
      if (found == windows_.end()) return -1;
      found->second->refuseClose = true;
    }
    if (verb == "destroy") DestroyWindow(window);
    return 1;
  }
  if (verb == "memo-text") {
    // The rest of the command as it is: the text may hold line breaks.
    const std::size_t space = text.find(' ');
    SetWindowTextA(memo_, space == std::string::npos ? "" : text.c_str() + space + 1);
    return reinterpret_cast<LRESULT>(memo_);
  }
  if (verb == "show-read") {
    ReadWindow* read = ReadWindow::Create(*this, app_, RestOf(in));
    if (read == nullptr) return -1;
    windows_[read->handle] = read;
    return reinterpret_cast<LRESULT>(read->handle);
  }
  if (verb == "show-with-list") {
    std::string cls;
    in >> cls;
    ButtonListWindow* window = ButtonListWindow::Create(*this, app_, cls);
    if (window == nullptr) return -1;
    windows_[window->handle] = window;
    return reinterpret_cast<LRESULT>(window->handle);
  }
  if (verb == "set-text") {
    HWND control = ParseHandle(in);
    if (!IsWindow(control)) return -1;
    // The rest of the command as it is: the text may hold line breaks.
    const auto at = in.tellg();
    std::string rest = at < 0 ? std::string() : text.substr(static_cast<std::size_t>(at));
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rest.c_str()));
    return 1;
  }
  if (verb == "line-point") {
    HWND edit = ParseHandle(in);
    int line = -1;
    in >> line;
    if (!IsWindow(edit) || line < 0) return -1;
    return LinePoint(edit, line);
  }
  if (verb == "main") return reinterpret_cast<LRESULT>(main_);
  if (verb == "memo") return reinterpret_cast<LRESULT>(memo_);
  if (verb == "title") return reinterpret_cast<LRESULT>(title_);
  if (verb == "free-library") {
    std::string name;
    in >> name;
    HMODULE module = GetModuleHandleA(name.c_str());
    return module != nullptr && FreeLibrary(module) ? 1 : 0;
  }
  if (verb == "post-thread") {
    UINT message = 0;
    in >> message;
    return PostThreadMessageA(GetCurrentThreadId(), message, 0, 0) ? 1 : 0;
  }
  if (verb == "mail-window") return reinterpret_cast<LRESULT>(MailWindow::Create(*this, app_));
  if (verb == "ping-max") {
    const DWORD longest = longestPing_;
    longestPing_ = 0;
    return static_cast<LRESULT>(longest);
  }
  if (verb == "bench") {
    long count = 0;
    in >> count;
    return count > 0 ? Bench(count) : -1;
  }
  if (const LRESULT answer = MailCommand(verb, text, in); answer != -1) return answer;
  if (verb == "quit") {
    PostMessageA(app_, WM_CLOSE, 0, 0);
    return 1;
  }
  return -1;
}

// Command 4 on the main window: a mail-writing window after the scenario's
// delay, or never.
void StandinHost::NewMail() {
  if (mail_.mailDelayMs == MailScenario::kNever) {
    Log("mailwindow-never");
  } else if (mail_.mailDelayMs == 0) {
    MailWindow::Create(*this, app_, mail_.newMailBuild);
  } else {
    SetTimer(app_, kNewMailTimer, static_cast<UINT>(mail_.mailDelayMs), nullptr);
  }
}

// The verbs of the mail windows; -1 when `verb` is none of them.
LRESULT StandinHost::MailCommand(const std::string& verb, const std::string& text, std::istringstream& in) {
  if (verb == "rx-window") return reinterpret_cast<LRESULT>(ReceivedMailWindow::Create(*this, app_, mail_));
  if (verb == "print-delay" || verb == "mail-delay") {
    int ms = 0;
    if (!(in >> ms) || ms < MailScenario::kNever) return -1;
    (verb == "print-delay" ? mail_.printDelayMs : mail_.mailDelayMs) = ms;
    return 1;
  }
  if (verb == "mail-caption-first") {
    MailWindowBuild build;
    build.captionFirst = true;
    if (!(in >> build.fieldsDelayMs >> build.shownDelayMs) || build.fieldsDelayMs < MailWindowBuild::kNever ||
        build.shownDelayMs < MailWindowBuild::kNever) {
      return -1;
    }
    mail_.newMailBuild = build;
    return 1;
  }
  if (verb == "print-text") {
    // The rest of the command as it is: the text holds line breaks.
    const std::size_t space = text.find(' ');
    mail_.printText = space == std::string::npos ? "" : text.substr(space + 1);
    return 1;
  }
  return -1;
}

// The cost of one retrieved message, hooks included: messages are posted in
// batches and retrieved one by one, as the host's message loop would.
LRESULT StandinHost::Bench(long count) {
  constexpr long kBatch = 1000;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  long long ticks = 0;
  for (long done = 0; done < count;) {
    const long batch = count - done < kBatch ? count - done : kBatch;
    for (long i = 0; i < batch; ++i) PostMessageA(app_, kBenchMessage, 0, 0);
    const long long start = Now();
    MSG msg;
    for (long got = 0; got < batch;) {
      if (!PeekMessageA(&msg, app_, kBenchMessage, kBenchMessage, PM_REMOVE)) break;
      ++got;
    }
    ticks += Now() - start;
    done += batch;
  }
  const long long nanoseconds = ticks * 1000000000LL / frequency.QuadPart / count;
  Log("bench " + std::to_string(count) + " " + std::to_string(nanoseconds) + "ns");
  return static_cast<LRESULT>(nanoseconds);
}

LRESULT StandinHost::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (data == nullptr || data->dwData != STANDIN_COMMAND) return 0;
      return Command(std::string(static_cast<const char*>(data->lpData), data->cbData));
    }
    case STANDIN_PING: {
      // Posted with the tick count of its sending: how long the host's
      // queue kept it waiting.
      const DWORD waited = GetTickCount() - static_cast<DWORD>(lParam);
      if (waited > longestPing_) longestPing_ = waited;
      return 0;
    }
    case WM_TIMER:
      if (wParam == kNewMailTimer) {
        KillTimer(window, kNewMailTimer);
        MailWindow::Create(*this, app_, mail_.newMailBuild);
      }
      if (wParam == kTitleTimer) {
        KillTimer(window, kTitleTimer);
        if (title_ != nullptr) SendMessageA(title_, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      Log("ending");
      app_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

std::string DefaultLogPath() {
  const std::string exe = ExecutablePath();
  return exe.substr(0, exe.find_last_of("\\/") + 1) + "standin-host.log";
}

}  // namespace
}  // namespace standin

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace standin;
  std::string caption = HOST_CAPTION;
  std::string logPath = DefaultLogPath();
  int titleWindowMs = 0;
  std::string friendBook;
  for (int i = 1; i + 1 < __argc; i += 2) {
    const std::string option = __argv[i];
    if (option == "--caption") caption = __argv[i + 1];
    else if (option == "--log") logPath = __argv[i + 1];
    else if (option == "--title-window") titleWindowMs = std::atoi(__argv[i + 1]);
    else if (option == "--friend-book") friendBook = __argv[i + 1];
  }
  OpenLog(logPath);
  if (!friendBook.empty() && GetFileAttributesA(friendBook.c_str()) == INVALID_FILE_ATTRIBUTES) {
    // The host keeps its friend book in its own folder; a sample one stands
    // in for the user's.
    if (FILE* out = std::fopen(friendBook.c_str(), "wb")) {
      const std::string bytes = FriendBookBytes(SampleFriends());
      std::fwrite(bytes.data(), 1, bytes.size(), out);
      std::fclose(out);
      Log("friend-book " + friendBook);
    }
  }

  StandinHost host(caption, titleWindowMs);
  if (!host.Create()) return 1;

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr) {
      Log("thread-message " + std::to_string(msg.message));
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  Log("ended");
  CloseLog();
  return 0;
}
