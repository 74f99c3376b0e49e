#include "agent/MainForm_win.h"

#include <exception>

#include "agent/HostEvents.h"
#include "agent/Palette.h"
#include "agent/BannerWindow_win.h"
#include "agent/resource.h"
#include "hostaccess/HookSlots_win.h"
#include "toolbox/ShellUtils_win.h"

namespace {

const COLORREF kFormColour = kPaleBlue;
const COLORREF kListColour = kPaleGreen;
const COLORREF kCancelColour = kPalePink;

constexpr int kFormWidth = 300;
constexpr int kFormHeight = 80;
constexpr UINT_PTR kWatchTimer = 1;

enum : int { idListBox1 = 201, idPanel3 = 202 };

HBRUSH AsBrush(const UniqueGdiObject& brush) { return static_cast<HBRUSH>(brush.get()); }

}  // namespace

TSorvik::TSorvik()
    : hostEvents_(*this),
      linkWindow_(*this),
      settingsCommands_(*this),
      mailCommands_(*this),
      trayMenu_(*this, mailCommands_, settingsCommands_) {}

TSorvik::~TSorvik() {
  // The icon leaves the tray before its notify window goes with the form.
  TaskTray1.reset();
  PopupMenuMain.reset();
  if (window_ != nullptr) DestroyWindow(window_);
  FormDestroy();
}

bool TSorvik::Create(HICON icon, HBITMAP mascot) {
  formBrush_.reset(CreateSolidBrush(kFormColour));
  listBrush_.reset(CreateSolidBrush(kListColour));
  WindowClassOptions options;
  options.background = AsBrush(formBrush_);
  options.icon = icon;
  options.style = CS_DBLCLKS;
  // The hook library finds the agent by this class name alone.
  if (!RegisterRoutedClass(AGENT_WINDOW_CLASS, options)) return false;
  window_ = CreateRoutedWindow(this, WS_EX_TOOLWINDOW, AGENT_WINDOW_CLASS, "Sorvik",
                               WS_POPUP | WS_CLIPCHILDREN, 0, 0, kFormWidth, kFormHeight, nullptr);
  if (window_ == nullptr) return false;

  font_.reset(CreateJapaneseFont("ＭＳ Ｐゴシック", 12, false));
  const auto font = static_cast<HFONT>(font_.get());
  ListBox1 = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                             0, 0, kFormWidth, 46, window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(idListBox1)),
                             GetModuleHandleA(nullptr), nullptr);
  SendMessageA(ListBox1, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(ListBox1, LB_SETITEMHEIGHT, 0, 12);

  ControlLook panel{kFormColour, RGB(0, 0, 0), font};
  ControlLook label = panel;
  label.autoSize = true;
  ControlLook picture{kFormColour};
  picture.picture = mascot;
  ControlLook cancel{kCancelColour, RGB(0, 0, 0), font, true, nullptr, true};
  Panel1.Create(window_, 0, 0, 46, kFormWidth, 34, "", panel);
  Image1.Create(Panel1.Handle(), 0, 4, 2, 33, 33, "", picture);
  Label1.Create(Panel1.Handle(), 0, 40, 4, 205, 12, "クリッカブルしたいＵＲＬ、", label);
  Label2.Create(Panel1.Handle(), 0, 40, 18, 205, 12, "メアドをダブルクリック！", label);
  Panel3.Create(Panel1.Handle(), idPanel3, 248, 0, 49, 33, "やめとく", cancel);
  // A label as wide as a long folder path runs under the button, not over it.
  SetWindowPos(Panel3.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // Every clipboard change is heard; the link window takes the ones it
  // waits for.
  ClipboardWatcher.SetOnClipChange([this](TClipboardWatcher&) { linkWindow_.ClipboardChanged(); });

  // The tray icon, not yet in the tray: icon ID 1, the agent's icon, no
  // tip; either button opens the tray menu.
  PopupMenuMain = trayMenu_.CreatePopupMenuMain(window_);
  TaskTray1 = std::make_unique<TTaskTray>(window_);
  TaskTray1->SetIconID(1);
  HICON small = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SORVIK), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  TaskTray1->SetIcon(small != nullptr ? small : icon);
  if (small != nullptr) DestroyIcon(small);
  TaskTray1->SetPopupMenuL(PopupMenuMain.get());
  TaskTray1->SetPopupMenuR(PopupMenuMain.get());

  SetTimer(window_, kWatchTimer, kHostWatchIntervalMs, nullptr);
  try {
    FormCreate();
  } catch (const std::exception& e) {
    // The agent keeps running without the shared block; the user is told.
    ShowErrorBox(e.what());
  }
  return true;
}

void TSorvik::FormCreate() {
  // The icon goes into the tray first, so that it is there even when a later
  // step fails.
  TaskTray1->SetRegistered(true);
  // MailHeader exists from here on, also when opening the block fails below:
  // the mail commands rely on it.
  MailHeader.clear();
  SharedBlock = std::make_unique<TCommonMemoryStream>(SHARED_BLOCK_NAME, SHARED_BLOCK_SIZE);
  // Zero the slots before looking for the host: attaching stores the hook
  // handles in slots 1 and 2, which zeroing afterwards would erase.
  for (int slot = 0; slot < SHARED_BLOCK_SLOTS; ++slot) WriteHookSlotOrReportError(0, slot);
  // A host that already runs is attached at once, without the title banner.
  if (HWND host = FindWindowA(HOST_APPLICATION_CLASS, HOST_CAPTION)) {
    SendMessageA(window_, UM_WNDSHOWN, reinterpret_cast<WPARAM>(host), hwApplication);
  }
}

void TSorvik::FormDestroy() {
  hostEvents_.StopWatching();
  MailHeader.clear();
  SharedBlock.reset();
}

LRESULT TSorvik::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == UM_WNDSHOWN) {
    // A failure here is reported to ourselves and otherwise ignored. Any
    // other failure reaches the window trampoline, which shows it.
    try {
      hostEvents_.WMHostWindowShown(wParam, lParam);
    } catch (...) {
      PostMessageA(window, UM_ERROR, UM_ERROR_WPARAM, errHostWindowShown);
    }
    return 0;
  }
  return Route(window, message, wParam, lParam);
}

LRESULT TSorvik::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case UM_WNDCLOSED:
      hostEvents_.WMHostWindowClosed(wParam, lParam);
      return 0;
    case UM_LBUTTONUP:
      hostEvents_.WMHostButtonUp(wParam);
      return 0;
    case UM_DBLCLICK:
      hostEvents_.WMHostDoubleClick(wParam);
      return 0;
    case UM_CLIPTEXT:
      linkWindow_.WMClipText();
      return 0;
    case UM_ERROR:
      return 0;  // reports from the hook library are accepted and ignored
    case WM_TIMER:
      if (wParam == kWatchTimer) hostEvents_.TimerWatchWndTimer();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == idPanel3 && HIWORD(wParam) == BN_CLICKED) linkWindow_.PanelCancelClick();
      if (LOWORD(wParam) == idListBox1 && HIWORD(wParam) == LBN_DBLCLK) linkWindow_.ListBox1DblClick();
      // The tray menu's commands (lParam 0), from a click or an accelerator
      // key.
      if (lParam == 0) trayMenu_.Command(LOWORD(wParam));
      return 0;
    case WM_CTLCOLORLISTBOX:
      SetBkColor(reinterpret_cast<HDC>(wParam), kListColour);
      return reinterpret_cast<LRESULT>(AsBrush(listBrush_));
    case WM_ENDSESSION:
      // Windows may end the process once this returns.
      if (wParam != 0) SaveSettings();
      return 0;
    case WM_CLOSE:
      // Ends the message loop; the forms are destroyed after the settings
      // have been saved.
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
