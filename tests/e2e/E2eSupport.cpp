#include "tests/e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "hostaccess/HostIdentifiers.h"
#include "tests/support/ReleaseFolder_win.h"
#include "tests/support/ScratchFolder_win.h"
#include "hostaccess/HookSlots_win.h"
#include "tools/standin-host/StandinProtocol.h"

namespace e2e {

// Files the evidence listener copies when the current test fails.
std::vector<std::string>& EvidenceFiles() {
  static std::vector<std::string> files;
  return files;
}

std::string BinDir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  return dir.substr(0, dir.find_last_of('\\') + 1);
}

std::string ReleaseDir() {
  const std::string dir = test_support::ReleaseFolder();
  if (dir.empty()) {
    ADD_FAILURE() << "SORVIK_RELEASE does not name a release folder with Sorvik.exe (make dist makes it)";
  }
  return dir;
}

namespace {

std::string CurrentTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  if (info == nullptr) return "outside-test";
  return std::string(info->test_suite_name()) + "." + info->name();
}

}  // namespace

// `path` without "." and ".." parts, as the system itself names files.
static std::string FullPath(const std::string& path) {
  char full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

std::string ScratchDir() {
  static std::string preparedFor;  // emptied once per test, on first use
  std::string root = FullPath(BinDir() + "..\\e2e-scratch\\");
  CreateDirectoryA(root.c_str(), nullptr);
  const std::string test = CurrentTestName();
  std::string dir = root + test + "\\";
  if (preparedFor != test) {
    test_support::RemoveTree(dir);
    CreateDirectoryA(dir.c_str(), nullptr);
    preparedFor = test;
  }
  return dir;
}

void CopyFileOrDie(const std::string& from, const std::string& to) {
  ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << "copy " << from << " -> " << to;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// ---------------------------------------------------------------- processes

ChildProcess ChildProcess::Start(const std::string& exe, const std::string& arguments,
                                 const std::string& directory) {
  ChildProcess child;
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::string dir = directory;
  if (dir.empty()) dir = exe.substr(0, exe.find_last_of('\\') + 1);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      dir.c_str(), &startup, &info)) {
    ADD_FAILURE() << "cannot start " << commandLine << ": error " << GetLastError();
    return child;
  }
  CloseHandle(info.hThread);
  child.process_ = info.hProcess;
  child.id_ = info.dwProcessId;
  return child;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(other.process_), id_(other.id_) {
  other.process_ = nullptr;
  other.id_ = 0;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Kill();
    process_ = other.process_;
    id_ = other.id_;
    other.process_ = nullptr;
    other.id_ = 0;
  }
  return *this;
}

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::Running() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeoutMs) {
  if (process_ == nullptr) return std::nullopt;
  if (!WaitUntil([&] { return !Running(); }, timeoutMs)) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

void ChildProcess::Kill() {
  if (process_ == nullptr) return;
  if (Running()) {
    TerminateProcess(process_, 9);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
  process_ = nullptr;
  id_ = 0;
}

// ---------------------------------------------------------------- time

long long Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

double Milliseconds(long long ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

long long WhenTrue(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    if (condition()) return Now();
    test_support::PumpOnce(1);
  }
  return 0;
}

// ---------------------------------------------------------------- stand-in host

HWND FindProcessWindow(DWORD pid, const char* className, const char* title) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, className, title)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid) return window;
  }
  return nullptr;
}

bool StandinHost::Start(const Options& options) {
  log_ = ScratchDir() + "standin-host.log";
  DeleteFileA(log_.c_str());
  EvidenceFiles().push_back(log_);
  std::string arguments = "--log \"" + log_ + "\" --title-window " + std::to_string(options.titleWindowMs);
  if (!options.caption.empty()) arguments += " --caption \"" + options.caption + "\"";
  if (!options.friendBook.empty()) arguments += " --friend-book \"" + options.friendBook + "\"";
  const std::string exe = options.exe.empty() ? BinDir() + "standin-host.exe" : options.exe;
  process_ = ChildProcess::Start(exe, arguments);
  if (!process_.Running()) return false;
  const DWORD pid = process_.Id();
  WaitUntil([&] { return (app_ = FindProcessWindow(pid, HOST_APPLICATION_CLASS)) != nullptr; }, 15000);
  // The host is ready once its main window is up.
  WaitUntil([&] { return FindProcessWindow(pid, "TMainWnd") != nullptr; }, 15000);
  return app_ != nullptr;
}

std::optional<LRESULT> StandinHost::Command(const std::string& text) {
  COPYDATASTRUCT data{};
  data.dwData = STANDIN_COMMAND;
  data.cbData = static_cast<DWORD>(text.size());
  data.lpData = const_cast<char*>(text.data());
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(app_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                           10000, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

HWND StandinHost::CommandHandle(const std::string& text) {
  const auto answer = Command(text);
  if (!answer || *answer == -1) {
    ADD_FAILURE() << "host command failed: " << text;
    return nullptr;
  }
  return reinterpret_cast<HWND>(*answer);
}

std::vector<std::string> StandinHost::LogLines() const {
  std::vector<std::string> lines;
  std::istringstream in(ReadWholeFile(log_));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::optional<long long> StandinHost::LogTime(const std::string& prefix) const {
  for (const std::string& line : LogLines()) {
    const auto space = line.find(' ');
    if (space == std::string::npos) continue;
    if (line.compare(space + 1, prefix.size(), prefix) == 0) return std::stoll(line.substr(0, space));
  }
  return std::nullopt;
}

// ---------------------------------------------------------------- fake agent

FakeAgentWindow::FakeAgentWindow() {
  RegisterRoutedClass(AGENT_WINDOW_CLASS);
  window_ = CreateRoutedWindow(this, WS_EX_TOOLWINDOW, AGENT_WINDOW_CLASS, "fake agent", WS_POPUP,
                               0, 0, 10, 10, nullptr);
  EXPECT_NE(window_, nullptr);
}

FakeAgentWindow::~FakeAgentWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

std::vector<Received> FakeAgentWindow::MessagesFor(HWND window) const {
  std::vector<Received> result;
  for (const Received& r : received_) {
    if (reinterpret_cast<HWND>(r.wParam) == window) result.push_back(r);
  }
  return result;
}

LRESULT FakeAgentWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) window_ = nullptr;
  if (message >= 28000 && message < 29000) {
    Received r{message, wParam, lParam, (InSendMessageEx(nullptr) & ISMEX_SEND) != 0, Now(), 0};
    if (onMessage) onMessage(r);
    r.returnedAt = Now();
    received_.push_back(r);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// ---------------------------------------------------------------- shared block

bool SharedBlockExists() {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, SHARED_BLOCK_NAME);
  if (mapping == nullptr) return false;
  CloseHandle(mapping);
  return true;
}

std::optional<std::vector<std::uint32_t>> ReadSharedSlots() {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, SHARED_BLOCK_NAME);
  if (mapping == nullptr) return std::nullopt;
  std::optional<std::vector<std::uint32_t>> slots;
  if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, SHARED_BLOCK_SIZE)) {
    const auto* words = static_cast<const std::uint32_t*>(view);
    slots = std::vector<std::uint32_t>(words, words + SHARED_BLOCK_SLOTS);
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  return slots;
}

HANDLE PlantSharedBlock(std::uint32_t slot0, std::uint32_t slot1, std::uint32_t slot2) {
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      SHARED_BLOCK_SIZE, SHARED_BLOCK_NAME);
  if (mapping == nullptr) return nullptr;
  if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, SHARED_BLOCK_SIZE)) {
    auto* words = static_cast<std::uint32_t*>(view);
    words[0] = slot0;
    words[1] = slot1;
    words[2] = slot2;
    UnmapViewOfFile(view);
  }
  return mapping;
}

// ---------------------------------------------------------------- input

void MouseEventsAt(int x, int y, std::initializer_list<DWORD> buttonEvents) {
  // Absolute points are in 65536ths of the primary screen: the smallest
  // value that the system maps back to the pixel (x, y).
  const auto toAbsolute = [](int pixel, int screen) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screen - 1) / screen);
  };
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = toAbsolute(x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = toAbsolute(y, GetSystemMetrics(SM_CYSCREEN));
  for (const DWORD button : buttonEvents) {
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
    SendInput(1, &input, sizeof input);
  }
}

void ClickAt(int x, int y) {
  SetCursorPos(x, y);
  PumpFor(50);
  MouseEventsAt(x, y, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
}

void DoubleClickAt(int x, int y) {
  SetCursorPos(x, y);
  PumpFor(50);
  MouseEventsAt(x, y, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
}

void DoubleClickCentre(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  EXPECT_EQ(WindowFromPoint(centre), window) << "another window covers the one to double-click";
  DoubleClickAt(centre.x, centre.y);
}

bool ClickCentreUntil(HWND window, const std::function<bool()>& done, POINT* clickedAt) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (clickedAt != nullptr) *clickedAt = centre;
    ClickAt(centre.x, centre.y);
    if (WaitUntil(done, 2000)) return true;
  }
  return false;
}

// ---------------------------------------------------------------- evidence

std::string EvidenceDir() {
  std::string dir = FullPath(BinDir() + "..\\e2e-evidence\\");
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

void SaveEvidenceScreenshot(const std::string& name) {
  EXPECT_TRUE(SaveScreenshot(EvidenceDir() + name + ".bmp"));
}

bool SaveScreenshot(const std::string& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GdiFlush();
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * height;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
      std::fwrite(&file, sizeof file, 1, out);
      std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
      std::fwrite(bits, imageSize, 1, out);
      std::fclose(out);
      ok = true;
    }
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace e2e
