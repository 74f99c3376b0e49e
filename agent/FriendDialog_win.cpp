#include "agent/FriendDialog_win.h"

#include <commctrl.h>

#include <vector>

#include "agent/Palette.h"
#include "toolbox/Clipboard_win.h"
#include "toolbox/ShellUtils_win.h"
#include "toolbox/SystemError_win.h"
#include "toolbox/Waiting_win.h"

namespace {

const COLORREF kFormColour = kPaleBlue;
const COLORREF kListColour = kPaleGreen;
const COLORREF kSectionColour = kPalePink;
const COLORREF kBlack = RGB(0, 0, 0);

constexpr int kClientWidth = 424;
constexpr int kClientHeight = 348;
constexpr int kStripHeight = 41;
constexpr int kHeaderHeight = 17;
constexpr int kItemHeight = 15;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;


enum : int { idPanel2 = 301, idHeaderControl1 = 302, idListBox1 = 303 };

static_assert(pbOkCancel == MB_OKCANCEL && pbYesNoCancel == MB_YESNOCANCEL);
static_assert(paOk == IDOK && paCancel == IDCANCEL && paYes == IDYES && paNo == IDNO);

int AskWithMessageBox(const std::string& question, PromptButtons buttons) {
  return ShowMessageBox(question, "", buttons);
}

// The friend book's bytes, or why there are none.
struct FriendBookFile {
  enum Status { ok, missing, unreadable, tooLarge } status = ok;
  std::string bytes;
  std::string reason;
};

FriendBookFile ReadFriendBookFile(const std::string& path) {
  FriendBookFile file;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME) {
      file.status = FriendBookFile::missing;
    } else {
      file.status = FriendBookFile::unreadable;
      file.reason = SystemErrorText(error);
    }
    return file;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    file.status = FriendBookFile::missing;  // no file of that name
    return file;
  }
  // The host may have its friend book open while we read it.
  const UniqueHandle handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (handle.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle.get(), &size)) {
    file.status = FriendBookFile::unreadable;
    file.reason = SystemErrorText(GetLastError());
    return file;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > kFriendBookMaxBytes) {
    file.status = FriendBookFile::tooLarge;
    return file;
  }
  file.bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < file.bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(handle.get(), file.bytes.data() + done, static_cast<DWORD>(file.bytes.size() - done), &got,
                  nullptr)) {
      file.status = FriendBookFile::unreadable;
      file.reason = SystemErrorText(GetLastError());
      file.bytes.clear();
      return file;
    }
    if (got == 0) break;  // the file got shorter meanwhile
    done += got;
  }
  file.bytes.resize(done);
  return file;
}

// The text of one column of a record.
const std::string& ColumnText(const TOtomodatiRec& rec, int column) {
  switch (column) {
    case 0: return rec.PetName;
    case 1: return rec.OwnerName;
    default: return rec.MailAddress;
  }
}

int TextWidth(HDC dc, std::string_view text) {
  SIZE extent{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
  return extent.cx;
}

HBRUSH AsBrush(const UniqueGdiObject& brush) { return static_cast<HBRUSH>(brush.get()); }
HFONT AsFont(const UniqueGdiObject& font) { return static_cast<HFONT>(font.get()); }

}  // namespace

TPasteFriend::~TPasteFriend() {
  if (window_ != nullptr) DestroyWindow(window_);
  FormDestroy();
}

bool TPasteFriend::Create(HBITMAP mascot) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  formBrush_.reset(CreateSolidBrush(kFormColour));
  listBrush_.reset(CreateSolidBrush(kListColour));
  sectionBrush_.reset(CreateSolidBrush(kSectionColour));
  WindowClassOptions options;
  options.background = AsBrush(formBrush_);
  if (!RegisterRoutedClass(PASTE_FRIEND_CLASS, options)) return false;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  window_ = CreateRoutedWindow(this, 0, PASTE_FRIEND_CLASS, "おともだち達帳", kStyle, 0, 0,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr);
  if (window_ == nullptr) return false;

  formFont_.reset(CreateJapaneseFont("ＭＳ Ｐゴシック", 12, false));
  listFont_.reset(CreateJapaneseFont("ＭＳ Ｐゴシック", 15, false));
  const HFONT font = AsFont(formFont_);
  ControlLook strip{kFormColour, kBlack, font};
  ControlLook picture{kFormColour};
  picture.picture = mascot;
  ControlLook ok{kListColour, kBlack, font, true, nullptr, true};
  ControlLook label = strip;
  label.autoSize = true;
  Panel1.Create(window_, 0, 0, 0, kClientWidth, kStripHeight, "", strip);
  Image1.Create(Panel1.Handle(), 0, 4, 2, 33, 33, "", picture);
  Panel2.Create(Panel1.Handle(), idPanel2, 48, 4, 41, 33, "　OK！", ok);
  Label1.Create(Panel1.Handle(), 0, 112, 6, 300, 12, "おともだちを選んでね。（いっぱい選んでもいいよ）", label);
  Label2.Create(Panel1.Handle(), 0, 112, 20, 300, 12, "貼りつけ／コピーするなら左のぼたんを押してください。", label);

  HeaderControl1 = CreateWindowExA(0, WC_HEADERA, "", WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_FLAT, 0, kStripHeight,
                                   kClientWidth, kHeaderHeight, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(idHeaderControl1)),
                                   GetModuleHandleA(nullptr), nullptr);
  SendMessageA(HeaderControl1, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  sectionTexts_ = {"ペットの名前", "飼い主のなまえ", "メールアドレス"};
  const int widths[] = {100, 100, 224};
  for (int i = 0; i < 3; ++i) {
    HDITEMA section{};
    section.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
    section.cxy = widths[i];
    section.fmt = HDF_OWNERDRAW | HDF_LEFT;
    section.pszText = sectionTexts_[i].data();
    SendMessageA(HeaderControl1, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&section));
  }

  ListBox1 = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                 LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                             0, kStripHeight + kHeaderHeight, kClientWidth,
                             kClientHeight - kStripHeight - kHeaderHeight, window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(idListBox1)), GetModuleHandleA(nullptr),
                             nullptr);
  SendMessageA(ListBox1, WM_SETFONT, reinterpret_cast<WPARAM>(AsFont(listFont_)), FALSE);
  SendMessageA(ListBox1, LB_SETITEMHEIGHT, 0, kItemHeight);
  FormCreate();
  return true;
}

void TPasteFriend::FormCreate() {
  FriendList.Clear();
  Prompt = AskWithMessageBox;
}

void TPasteFriend::FormDestroy() { FriendList.Clear(); }

void TPasteFriend::ClearFriends() {
  FriendList.Clear();
  SendMessageA(ListBox1, LB_RESETCONTENT, 0, 0);
}

void TPasteFriend::FormShow(const std::string& path) {
  const FriendBookFile file = ReadFriendBookFile(path);
  switch (file.status) {
    case FriendBookFile::missing:
      // Empty both lists: after an earlier OK the record list holds only the
      // friends chosen then, and the list box one item per friend loaded.
      ClearFriends();
      ShowMessageBox(kFriendBookMissingMessage, "", MB_OK);
      return;
    case FriendBookFile::unreadable:
      ClearFriends();
      ShowMessageBox(FriendBookUnreadableMessage(path, file.reason), "", MB_OK | MB_ICONWARNING);
      return;
    case FriendBookFile::tooLarge:
      ClearFriends();
      ShowMessageBox(FriendBookTooLargeMessage(path), "", MB_OK | MB_ICONWARNING);
      return;
    case FriendBookFile::ok:
      break;
  }
  ClearFriends();
  SendMessageA(ListBox1, WM_SETREDRAW, FALSE, 0);
  for (const TOtomodatiRec& rec : ReadFriendBook(file.bytes)) {
    FriendList.AddRec(rec);
    // What is drawn comes from FriendList by the item's index.
    SendMessageA(ListBox1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(" "));
  }
  SendMessageA(ListBox1, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(ListBox1, nullptr, TRUE);
}

int TPasteFriend::ShowModal(const std::string& friendBookPath) {
  if (showing_) {
    SetForegroundWindow(window_);
    return mrCancel;
  }
  showing_ = true;
  HWND previous = GetForegroundWindow();
  FormShow(friendBookPath);
  modalResult_ = mrNone;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(ListBox1);
  MSG msg;
  while (modalResult_ == mrNone) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      // The program ends: leave the quit for the main loop.
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      modalResult_ = mrCancel;
      break;
    }
    if (msg.message == WM_KEYDOWN && msg.hwnd == ListBox1) ListBox1KeyDown(msg.wParam);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  ShowWindow(window_, SW_HIDE);
  // Back to where the user was, as a dialog gives the focus back to its
  // owner; the callers go on from there. As the dialog goes, the system (or
  // a window manager: Wine's windows on X have one) may activate a window
  // of its own choice, which would then stand between the user's window and
  // the next task switch: the user's window is given the foreground back
  // until it has kept it for a moment.
  if (previous != nullptr && previous != window_ && IsWindowVisible(previous)) {
    const DWORD start = GetTickCount();
    DWORD steadySince = start;
    bool asked = false;
    while (GetTickCount() - start < kForegroundBackMs && IsWindowVisible(previous)) {
      if (GetForegroundWindow() != previous) {
        if (!asked || GetTickCount() - steadySince >= kForegroundSteadyMs) {
          SetForegroundWindow(previous);
          asked = true;
          steadySince = GetTickCount();
        }
      } else if (GetTickCount() - steadySince >= kForegroundSteadyMs) {
        break;
      }
      PauseAnsweringSentMessages(kPollPauseMs);
    }
  }
  showing_ = false;
  return modalResult_;
}

void TPasteFriend::ListBox1KeyDown(WPARAM key) {
  if (key == VK_ESCAPE) modalResult_ = mrCancel;
}

int TPasteFriend::SectionWidth(int section) const {
  HDITEMA item{};
  item.mask = HDI_WIDTH;
  SendMessageA(HeaderControl1, HDM_GETITEMA, section, reinterpret_cast<LPARAM>(&item));
  return item.cxy;
}

void TPasteFriend::SetSectionWidth(int section, int width) {
  HDITEMA item{};
  item.mask = HDI_WIDTH;
  item.cxy = width;
  SendMessageA(HeaderControl1, HDM_SETITEMA, section, reinterpret_cast<LPARAM>(&item));
}

void TPasteFriend::HeaderControl1SectionResize() {
  RECT header{};
  GetClientRect(HeaderControl1, &header);
  const int last = header.right - SectionWidth(0) - SectionWidth(1);
  // Setting it reports a resize of its own, which then changes nothing.
  if (SectionWidth(2) != last) SetSectionWidth(2, last);
  InvalidateRect(ListBox1, nullptr, TRUE);
}

void TPasteFriend::LayOut() {
  RECT client{};
  GetClientRect(window_, &client);
  MoveWindow(Panel1.Handle(), 0, 0, client.right, kStripHeight, TRUE);
  MoveWindow(HeaderControl1, 0, kStripHeight, client.right, kHeaderHeight, TRUE);
  const int listTop = kStripHeight + kHeaderHeight;
  MoveWindow(ListBox1, 0, listTop, client.right, client.bottom > listTop ? client.bottom - listTop : 0, TRUE);
  // The last section takes what the first two leave.
  HeaderControl1SectionResize();
}

void TPasteFriend::HeaderControl1DrawSection(const DRAWITEMSTRUCT& item) {
  const int section = static_cast<int>(item.itemID);
  if (section < 0 || section >= static_cast<int>(sectionTexts_.size())) return;
  HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, AsBrush(sectionBrush_));
  HGDIOBJ oldFont = SelectObject(dc, AsFont(formFont_));
  SetTextColor(dc, kBlack);
  SetBkMode(dc, TRANSPARENT);
  // The text starts as many pixels in as the font has points (9 for the
  // 12-pixel font on a 96-dpi screen).
  LOGFONTA shape{};
  GetObjectA(AsFont(formFont_), sizeof shape, &shape);
  const int points = MulDiv(shape.lfHeight < 0 ? -shape.lfHeight : shape.lfHeight, 72, GetDeviceCaps(dc, LOGPIXELSY));
  const std::string& text = sectionTexts_[static_cast<std::size_t>(section)];
  TextOutA(dc, item.rcItem.left + points, item.rcItem.top + 2, text.c_str(), static_cast<int>(text.size()));
  SelectObject(dc, oldFont);
}

void TPasteFriend::ListBox1DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const COLORREF back = selected ? GetSysColor(COLOR_HIGHLIGHT) : kListColour;
  const COLORREF fore = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kBlack;
  const UniqueGdiObject brush(CreateSolidBrush(back));
  HGDIOBJ oldFont = SelectObject(dc, AsFont(listFont_));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, back);
  SetTextColor(dc, fore);

  const RECT& r = item.rcItem;
  const int index = static_cast<int>(item.itemID);
  const bool hasRecord = index >= 0 && index < FriendList.Count();
  const TOtomodatiRec rec = hasRecord ? FriendList.GetRec(index) : TOtomodatiRec{};
  const int widths[] = {SectionWidth(0), SectionWidth(1), SectionWidth(2)};
  const std::vector<int> lefts = ColumnLefts(r.left, widths);
  const int dotsWidth = TextWidth(dc, "...");
  for (int column = 0; column < 3; ++column) {
    const int left = lefts[static_cast<std::size_t>(column)];
    RECT fill{left, r.top, r.right, r.bottom};
    FillRect(dc, &fill, static_cast<HBRUSH>(brush.get()));
    const std::string& text = ColumnText(rec, column);
    if (text.empty()) continue;
    const auto characters = SplitCharacters(text);
    std::vector<int> charWidths;
    for (const std::string_view c : characters) charWidths.push_back(TextWidth(dc, c));
    const ColumnFit fit = FitColumnText(charWidths, dotsWidth, widths[column] - 2 * kColumnMargin);
    int x = left + kColumnMargin;
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < fit.shown; ++i) bytes += characters[i].size();
    TextOutA(dc, x, r.top, text.data(), static_cast<int>(bytes));
    for (std::size_t i = 0; i < fit.shown; ++i) x += charWidths[i];
    // The dots stand where the next character was, and the spaces after
    // them cover what was drawn beyond.
    if (fit.ellipsis) TextOutA(dc, x, r.top, "...   ", 6);
  }
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &r);
  SelectObject(dc, oldFont);
}

void TPasteFriend::Panel2Click() {
  const int items = static_cast<int>(SendMessageA(ListBox1, LB_GETCOUNT, 0, 0));
  std::vector<bool> selected;
  for (int i = 0; i < items; ++i) selected.push_back(SendMessageA(ListBox1, LB_GETSEL, i, 0) > 0);
  KeepSelectedFriends(FriendList, selected);
  const FriendChoice choice = ChooseAddressText(MakeFriendAddressTexts(FriendList), Prompt);
  if (!choice.accepted) {
    modalResult_ = mrCancel;
    return;
  }
  if (!SetClipboardText(choice.text)) {
    // Reported rather than closing as if it had worked.
    ShowMessageBox("クリップボードにコピーできませんでした。ほかのプログラムが使用中かもしれません。", "",
                   MB_OK | MB_ICONWARNING);
    modalResult_ = mrCancel;
    return;
  }
  modalResult_ = mrOk;
}

LRESULT TPasteFriend::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlType == ODT_LISTBOX) measure->itemHeight = kItemHeight;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_HEADER) HeaderControl1DrawSection(*item);
      if (item->CtlType == ODT_LISTBOX && item->itemID != static_cast<UINT>(-1)) ListBox1DrawItem(*item);
      return TRUE;
    }
    case WM_NOTIFY: {
      const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
      if (notice->hwndFrom == HeaderControl1 &&
          (notice->code == HDN_ITEMCHANGEDA || notice->code == HDN_ITEMCHANGEDW)) {
        const auto* header = reinterpret_cast<const NMHEADERA*>(lParam);
        if (header->pitem != nullptr && (header->pitem->mask & HDI_WIDTH) != 0) HeaderControl1SectionResize();
      }
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == idPanel2 && HIWORD(wParam) == BN_CLICKED) Panel2Click();
      return 0;
    case WM_CTLCOLORLISTBOX:
      SetBkColor(reinterpret_cast<HDC>(wParam), kListColour);
      return reinterpret_cast<LRESULT>(AsBrush(listBrush_));
    case WM_SIZE:
      if (ListBox1 != nullptr) LayOut();
      return 0;
    case WM_CLOSE:
      // The close box cancels; the window stays for the next show.
      modalResult_ = mrCancel;
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
