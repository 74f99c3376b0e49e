// A stand-in for the host: the window classes, titles and ownership the agent
// relies on, driven by tests through a small command channel, logging what
// happens to it. Not a product; it only takes the host's place.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "hostaccess/Mochiruconst.h"
#include "hostaccess/WindowClass_win.h"
#include "tools/standin-host/StandinProtocol.h"

namespace {

constexpr UINT_PTR kHeartbeatTimer = 1;
constexpr UINT_PTR kTitleTimer = 2;
constexpr UINT kBenchMessage = WM_APP + 1;

// ---------------------------------------------------------------- log

FILE* LogFile = nullptr;

long long Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

// One line per event: the performance counter (system-wide, so tests can
// order our events against their own), then the event.
void Log(const std::string& line) {
  if (LogFile == nullptr) return;
  std::fprintf(LogFile, "%lld %s\n", Now(), line.c_str());
  std::fflush(LogFile);
}

std::string HandleText(HWND window) {
  return std::to_string(reinterpret_cast<std::intptr_t>(window));
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// ---------------------------------------------------------------- controls

// The host's controls are superclasses of the standard controls under the
// host's class names. Their procedures log the mouse messages they get.
std::map<std::string, WNDPROC> BaseProcs;

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::string cls = ClassOf(window);
  switch (message) {
    case WM_LBUTTONDBLCLK: Log("dblclick " + cls + " " + HandleText(window)); break;
    case WM_LBUTTONUP: Log("lbuttonup " + cls + " " + HandleText(window)); break;
    default: break;
  }
  auto base = BaseProcs.find(cls);
  return base == BaseProcs.end() ? DefWindowProcA(window, message, wParam, lParam)
                                 : CallWindowProcA(base->second, window, message, wParam, lParam);
}

void RegisterSuperclass(const char* name, const char* base) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (base != nullptr) {
    if (!GetClassInfoExA(nullptr, base, &wc)) return;
    BaseProcs[name] = wc.lpfnWndProc;
  } else {
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  }
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ControlProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

void RegisterControlClasses() {
  RegisterSuperclass(HOST_EDIT_CLASS, "EDIT");
  RegisterSuperclass(HOST_MEMO_CLASS, "EDIT");
  RegisterSuperclass(HOST_BUTTON_CLASS, "BUTTON");
  RegisterSuperclass(HOST_LISTBOX_CLASS, "LISTBOX");
  RegisterSuperclass(HOST_PANEL_CLASS, nullptr);
}

bool IsControlClass(const std::string& cls) {
  return BaseProcs.count(cls) != 0 || cls == HOST_PANEL_CLASS;
}

// ---------------------------------------------------------------- windows

class StandinHost;

// Every top-level window of the host (and any child of an unknown class) is
// one of these: a plain window that logs its life and can refuse to close.
class HostWindow : public MessageHandler {
 public:
  explicit HostWindow(StandinHost* host) : host_(host) {}
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  HWND handle = nullptr;
  bool refuseClose = false;

 private:
  StandinHost* host_;
};

class StandinHost : public MessageHandler {
 public:
  StandinHost(std::string caption, int titleWindowMs)
      : caption_(std::move(caption)), titleWindowMs_(titleWindowMs) {}

  bool Create();
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed(HWND window);

 private:
  HWND NewWindow(const std::string& cls, const std::string& title, HWND owner, DWORD style, int x,
                 int y, int w, int h);
  LRESULT Command(const std::string& text);
  LRESULT Bench(long count);

  std::string caption_;
  int titleWindowMs_;
  HWND app_ = nullptr;
  HWND main_ = nullptr;
  HWND memo_ = nullptr;
  HWND title_ = nullptr;
  std::map<HWND, HostWindow*> windows_;
};

LRESULT HostWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (refuseClose) {
        Log("close-refused " + ClassOf(window) + " " + HandleText(window));
        return 0;
      }
      Log("close " + ClassOf(window) + " " + HandleText(window));
      break;
    case WM_SHOWWINDOW:
      Log(std::string(wParam ? "shown " : "hidden ") + ClassOf(window) + " " + HandleText(window));
      break;
    case WM_LBUTTONDBLCLK:
      Log("dblclick " + ClassOf(window) + " " + HandleText(window));
      break;
    case WM_PAINT: {
      // Each window shows its class, so a screenshot tells them apart.
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      const std::string label = ClassOf(window);
      SetBkMode(dc, TRANSPARENT);
      SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      DrawTextA(dc, label.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_SIZE:
      // The main window's memo fills it.
      for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == HOST_MEMO_CLASS) MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      }
      break;
    case WM_NCDESTROY: {
      Log("destroyed " + HandleText(window));
      host_->WindowDestroyed(window);
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      delete this;
      return result;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND StandinHost::NewWindow(const std::string& cls, const std::string& title, HWND owner,
                            DWORD style, int x, int y, int w, int h) {
  if (IsControlClass(cls)) {
    HWND control = CreateWindowExA(0, cls.c_str(), title.c_str(), style, x, y, w, h, owner, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    Log("created " + cls + " " + HandleText(control));
    return control;
  }
  WindowClassOptions options;
  options.style = CS_DBLCLKS;
  options.background = GetSysColorBrush(COLOR_WINDOW);
  if (!RegisterRoutedClass(cls.c_str(), options)) return nullptr;
  auto* handler = new HostWindow(this);
  HWND window = CreateRoutedWindow(handler, 0, cls.c_str(), title.c_str(), style, x, y, w, h, owner);
  if (window == nullptr) {
    delete handler;
    return nullptr;
  }
  handler->handle = window;
  windows_[window] = handler;
  Log("created " + cls + " " + HandleText(window));
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
  RegisterRoutedClass(HOST_APPLICATION_CLASS);
  // The application window: hidden, and the owner of every top-level window.
  app_ = CreateRoutedWindow(this, 0, HOST_APPLICATION_CLASS, caption_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                            nullptr);
  if (app_ == nullptr) return false;
  Log("started " + HandleText(app_));
  SetTimer(app_, kHeartbeatTimer, 50, nullptr);

  if (titleWindowMs_ != 0) {
    title_ = NewWindow(HostWindowClassNames[hwTitleWnd].data(), "モチル", app_,
                       WS_POPUP | WS_BORDER, 440, 360, 400, 300);
    ShowWindow(title_, SW_SHOW);
    if (titleWindowMs_ > 0) SetTimer(app_, kTitleTimer, titleWindowMs_, nullptr);
  }
  main_ = NewWindow(HostWindowClassNames[hwMainWnd].data(), "モチル", app_,
                    WS_OVERLAPPEDWINDOW, 100, 100, 640, 480);
  memo_ = NewWindow(HOST_MEMO_CLASS, "", main_,
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                    0, 0, 600, 400);
  SendMessageA(memo_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  SetWindowTextA(memo_, "モチルのメモです。\r\nhttp://example.com/ と mail@example.com\r\n3行目");
  ShowWindow(main_, SW_SHOW);
  RECT client;
  GetClientRect(main_, &client);
  MoveWindow(memo_, 0, 0, client.right, client.bottom, TRUE);
  if (title_ != nullptr) SetWindowPos(title_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return true;
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
  if (verb == "main") return reinterpret_cast<LRESULT>(main_);
  if (verb == "memo") return reinterpret_cast<LRESULT>(memo_);
  if (verb == "title") return reinterpret_cast<LRESULT>(title_);
  if (verb == "post-thread") {
    UINT message = 0;
    in >> message;
    return PostThreadMessageA(GetCurrentThreadId(), message, 0, 0) ? 1 : 0;
  }
  if (verb == "bench") {
    long count = 0;
    in >> count;
    return count > 0 ? Bench(count) : -1;
  }
  if (verb == "quit") {
    PostMessageA(app_, WM_CLOSE, 0, 0);
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
    case WM_TIMER:
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
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string result = path;
  const auto slash = result.find_last_of("\\/");
  return result.substr(0, slash + 1) + "standin-host.log";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::string caption = HOST_CAPTION;
  std::string logPath = DefaultLogPath();
  int titleWindowMs = 0;
  for (int i = 1; i + 1 < __argc; i += 2) {
    const std::string option = __argv[i];
    if (option == "--caption") caption = __argv[i + 1];
    else if (option == "--log") logPath = __argv[i + 1];
    else if (option == "--title-window") titleWindowMs = std::atoi(__argv[i + 1]);
  }
  LogFile = std::fopen(logPath.c_str(), "ab");

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
  if (LogFile != nullptr) std::fclose(LogFile);
  return 0;
}
