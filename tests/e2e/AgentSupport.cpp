#include "tests/e2e/AgentSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace e2e {

AgentInstall InstallAgent(const std::string& dir, const std::string& exeName, int connections) {
  AgentInstall install{dir, dir + exeName};
  CopyFileOrDie(ReleaseDir() + "Sorvik.exe", install.exe);
  CopyFileOrDie(ReleaseDir() + "sorvikhook.dll", dir + "sorvikhook.dll");
  CopyFileOrDie(BinDir() + "fake-ras\\rasapi32.dll", dir + "rasapi32.dll");
  SetFakeConnections(install, connections);
  return install;
}

void SetFakeConnections(const AgentInstall& install, int connections) {
  WriteWholeFile(install.dir + "fake-ras-connections.txt", std::to_string(connections));
}

std::vector<std::string> FakeHangUps(const AgentInstall& install) {
  std::vector<std::string> lines;
  std::istringstream in(ReadWholeFile(install.dir + "fake-ras-hangups.log"));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

ChildProcess StartAgent(const AgentInstall& install) {
  // Wine prefers its own rasapi32 to the one beside the program unless the
  // program's own settings say otherwise.
  const std::string exeName = install.exe.substr(install.exe.find_last_of('\\') + 1);
  const std::string key = "Software\\Wine\\AppDefaults\\" + exeName + "\\DllOverrides";
  HKEY overrides = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &overrides, nullptr) == ERROR_SUCCESS) {
    static const char kNativeFirst[] = "native,builtin";
    RegSetValueExA(overrides, "rasapi32", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNativeFirst),
                   sizeof kNativeFirst);
    RegCloseKey(overrides);
  } else {
    ADD_FAILURE() << "cannot set Wine's library order for " << exeName;
  }
  return ChildProcess::Start(install.exe);
}

HWND WaitForAgentWindow(DWORD pid, DWORD timeoutMs) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindProcessWindow(pid, "TSorvik")) != nullptr; }, timeoutMs);
  return window;
}

HWND AgentTitleWindow(DWORD pid) { return FindProcessWindow(pid, "TFormTitle"); }

HWND WaitForMessageBox(DWORD pid, const std::string& part, DWORD timeoutMs) {
  HWND box = nullptr;
  const auto showsPart = [&] {
    box = FindProcessWindow(pid, "#32770");
    char text[1024] = {};
    for (HWND child = box != nullptr ? GetWindow(box, GW_CHILD) : nullptr; child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      GetWindowTextA(child, text, sizeof text);
      if (std::string(text).find(part) != std::string::npos) return true;
    }
    return false;
  };
  return WaitUntil(showsPart, timeoutMs) ? box : nullptr;
}

std::vector<std::uint32_t> HookSlots() {
  const auto slots = ReadSharedSlots();
  return slots ? *slots : std::vector<std::uint32_t>{};
}

bool HookAttached() {
  const auto slots = HookSlots();
  return slots.size() == 3 && slots[1] != 0 && slots[2] != 0;
}

void WriteAttachFolder(const AgentInstall& install, const std::string& folder) {
  const std::string exeName = install.exe.substr(install.exe.find_last_of('\\') + 1);
  const std::string ini = install.dir + exeName.substr(0, exeName.find_last_of('.')) + ".INI";
  WriteWholeFile(ini, "[options]\r\nfolder=" + folder + "\r\n");
}

std::vector<std::string> ListBoxEntries(HWND list) {
  std::vector<std::string> entries;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
    std::wstring wide(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
    const LRESULT got = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    std::string ansi(wide.size() * 2, '\0');
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(),
                                          static_cast<int>(ansi.size()), nullptr, nullptr);
    ansi.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
    entries.push_back(ansi);
  }
  return entries;
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

LinkWindowParts FindLinkWindowParts(HWND agentWindow) {
  LinkWindowParts parts;
  parts.form = agentWindow;
  parts.list = FindWindowExA(agentWindow, nullptr, "ListBox", nullptr);
  // The bottom strip holds the picture, the two labels and the button at
  // their places.
  HWND strip = ChildWindowFromPointEx(agentWindow, POINT{150, 60}, CWP_ALL);
  if (strip != nullptr && strip != agentWindow) {
    parts.label1 = ChildWindowFromPointEx(strip, POINT{45, 8}, CWP_ALL);
    parts.label2 = ChildWindowFromPointEx(strip, POINT{45, 22}, CWP_ALL);
    parts.cancel = ChildWindowFromPointEx(strip, POINT{270, 16}, CWP_ALL);
  }
  return parts;
}

bool DismissLinkWindow(const LinkWindowParts& parts, POINT* clickedAt) {
  return ClickCentreUntil(parts.cancel, [&] { return !IsWindowVisible(parts.form); }, clickedAt);
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

std::string MessageBoxText(HWND box) {
  // The text of a message box is the static control with the identifier
  // 0xFFFF.
  char text[2048] = {};
  GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
  return text;
}

std::string MessageBoxCaption(HWND box) {
  char text[256] = {};
  GetWindowTextA(box, text, sizeof text);
  return text;
}

bool AnswerMessageBox(HWND box, int id, DWORD timeoutMs) {
  if (!PostMessageA(box, WM_COMMAND, id, 0)) return false;
  return WaitUntil([&] { return !IsWindow(box); }, timeoutMs);
}

bool IsTopmost(HWND window) {
  return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right - client.left, client.bottom - client.top};
}

bool IsAbove(HWND upper, HWND lower) {
  for (HWND w = GetWindow(lower, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV)) {
    if (w == upper) return true;
  }
  return false;
}

}  // namespace e2e
