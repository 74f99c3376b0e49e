// The clipboard change detector in a real viewer chain: several detectors of
// one process, and a plain viewer window at the bottom of the chain standing
// for another program's viewer, which records what reaches it.
#include "components/ClipboardWatcher_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/RoutedWindow_win.h"
#include "tests/support/Pump_win.h"

namespace {

using test_support::PumpFor;

// Puts `text` on the clipboard, as any program's copy command does.
void WriteClipboardText(const std::string& text) {
  bool opened = false;
  for (int attempt = 0; attempt < 50 && !(opened = OpenClipboard(nullptr)); ++attempt) Sleep(20);
  ASSERT_TRUE(opened) << "the clipboard stayed open elsewhere";
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  ASSERT_NE(memory, nullptr);
  CopyMemory(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  EXPECT_NE(SetClipboardData(CF_TEXT, memory), nullptr);
  CloseClipboard();
}

// Another program's viewer: joins on construction, passes notices on and
// repairs its link as a viewer must, and counts what reaches it.
class PlainViewer : public MessageHandler {
 public:
  PlainViewer() {
    RegisterRoutedClass("OlClipDetectorTestViewer");
    window_ = CreateRoutedWindow(this, 0, "OlClipDetectorTestViewer", "", WS_POPUP, 0, 0, 0, 0, nullptr);
    EXPECT_NE(window_, nullptr);
    next_ = SetClipboardViewer(window_);
    changeNotices = 0;  // the one the system sends on joining
  }
  ~PlainViewer() override {
    ChangeClipboardChain(window_, next_);
    DestroyWindow(window_);
  }
  HWND Handle() const { return window_; }

  int changeNotices = 0;
  std::vector<std::pair<HWND, HWND>> chainChanges;  // (leaving, after it)

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_DRAWCLIPBOARD:
        ++changeNotices;
        if (next_ != nullptr) SendMessageA(next_, message, wParam, lParam);
        return 0;
      case WM_CHANGECBCHAIN:
        chainChanges.emplace_back(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        if (reinterpret_cast<HWND>(wParam) == next_) {
          next_ = reinterpret_cast<HWND>(lParam);
        } else if (next_ != nullptr) {
          SendMessageA(next_, message, wParam, lParam);
        }
        return 0;
      default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
  }

 private:
  HWND window_ = nullptr;
  HWND next_ = nullptr;
};

// A detector with a handler that counts its calls.
struct CountingDetector {
  TClipboardWatcher detector;
  int fired = 0;
  std::vector<bool> joiningWhenFired;

  void Join(bool ignoreFirst = true) {
    detector.IgnoreFirst = ignoreFirst;
    detector.SetOnClipChange([this](TClipboardWatcher& sender) {
      EXPECT_EQ(&sender, &detector);
      ++fired;
      joiningWhenFired.push_back(sender.Joining());
    });
  }
};

class ClipDetectorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Each test starts from, and leaves, an empty chain.
    ASSERT_EQ(GetClipboardViewer(), nullptr);
  }
  void TearDown() override { EXPECT_EQ(GetClipboardViewer(), nullptr) << "a viewer was left in the chain"; }

  // One clipboard change, then time for any late or repeated notice.
  static void ChangeClipboard() {
    static int serial = 0;
    WriteClipboardText("change " + std::to_string(++serial));
    PumpFor(200);
  }
};

TEST_F(ClipDetectorTest, ConstructionDoesNotJoinTheChain) {
  TClipboardWatcher detector;
  EXPECT_TRUE(detector.IgnoreFirst);
  EXPECT_EQ(detector.ViewerWindow(), nullptr);
  EXPECT_EQ(GetClipboardViewer(), nullptr);
}

TEST_F(ClipDetectorTest, JoiningNoticeFiresOnlyWhenIgnoreFirstIsFalse) {
  struct Case {
    bool ignoreFirst;
    int firedByJoining;
  };
  for (const Case c : {Case{true, 0}, Case{false, 1}}) {
    SCOPED_TRACE(c.ignoreFirst ? "IgnoreFirst true" : "IgnoreFirst false");
    PlainViewer other;
    CountingDetector d;
    d.Join(c.ignoreFirst);
    // The system sends the joining notice from inside SetClipboardViewer.
    EXPECT_EQ(d.fired, c.firedByJoining);
    PumpFor(200);
    EXPECT_EQ(d.fired, c.firedByJoining);
    EXPECT_FALSE(d.detector.Joining());
    EXPECT_EQ(GetClipboardViewer(), d.detector.ViewerWindow());
    EXPECT_EQ(d.detector.NextViewer(), other.Handle());
    // The joining notice is the new viewer's alone.
    EXPECT_EQ(other.changeNotices, 0);

    ChangeClipboard();
    EXPECT_EQ(d.fired, c.firedByJoining + 1);
    EXPECT_EQ(other.changeNotices, 1);
    // Only the joining notice arrives while Joining is true.
    std::vector<bool> expected(c.firedByJoining, true);
    expected.push_back(false);
    EXPECT_EQ(d.joiningWhenFired, expected);
    d.detector.SetOnClipChange(nullptr);
  }
}

TEST_F(ClipDetectorTest, RejoiningPassesTheJoiningNoticeToNobody) {
  // Nothing changed on the clipboard: the viewer below must hear nothing
  // when the detector leaves and joins again.
  PlainViewer other;
  CountingDetector d;
  d.Join(false);
  d.detector.SetOnClipChange(nullptr);
  EXPECT_EQ(d.detector.NextViewer(), nullptr);
  d.Join(false);
  EXPECT_EQ(d.fired, 2);
  EXPECT_EQ(d.detector.NextViewer(), other.Handle());
  PumpFor(200);
  EXPECT_EQ(other.changeNotices, 0);
  d.detector.SetOnClipChange(nullptr);
}

TEST_F(ClipDetectorTest, SecondHandlerReplacesTheFirstWithoutJoiningAgain) {
  PlainViewer other;
  TClipboardWatcher detector;
  int firstFired = 0, secondFired = 0;
  detector.SetOnClipChange([&](TClipboardWatcher&) { ++firstFired; });
  const HWND window = detector.ViewerWindow();
  detector.SetOnClipChange([&](TClipboardWatcher&) { ++secondFired; });

  EXPECT_EQ(detector.ViewerWindow(), window);
  EXPECT_EQ(GetClipboardViewer(), window);
  EXPECT_EQ(detector.NextViewer(), other.Handle());
  ChangeClipboard();
  EXPECT_EQ(firstFired, 0);
  EXPECT_EQ(secondFired, 1);
  EXPECT_EQ(other.changeNotices, 1);
  detector.SetOnClipChange(nullptr);
}

TEST_F(ClipDetectorTest, ClearingWhileOutsideTheChainDoesNothing) {
  PlainViewer other;
  CountingDetector never;
  never.detector.SetOnClipChange(nullptr);  // never assigned
  CountingDetector left;
  left.Join();
  left.detector.SetOnClipChange(nullptr);
  other.chainChanges.clear();
  left.detector.SetOnClipChange(nullptr);  // already cleared

  EXPECT_EQ(never.detector.ViewerWindow(), nullptr);
  EXPECT_EQ(left.detector.ViewerWindow(), nullptr);
  EXPECT_EQ(GetClipboardViewer(), other.Handle());
  EXPECT_TRUE(other.chainChanges.empty());
  ChangeClipboard();
  EXPECT_EQ(other.changeNotices, 1);
  EXPECT_EQ(never.fired + left.fired, 0);
}

TEST_F(ClipDetectorTest, LastViewerFiresOnEveryChange) {
  CountingDetector d;
  d.Join();
  EXPECT_EQ(d.detector.NextViewer(), nullptr);
  ChangeClipboard();
  ChangeClipboard();
  EXPECT_EQ(d.fired, 2);
  d.detector.SetOnClipChange(nullptr);
}

// Three detectors and another program's viewer: top -> middle -> bottom ->
// other. One detector leaves, by clearing its handler or by being destroyed;
// the chain is repaired where the leaver was, the repair goes no further, and
// a later change reaches every remaining member once.
TEST_F(ClipDetectorTest, ViewerLeavingIsRepairedWhereItWasAndTheChainGoesOn) {
  enum Leaver { kTop = 2, kMiddle = 1, kBottom = 0 };
  struct Case {
    const char* name;
    Leaver leaver;
    bool byDestruction;
  };
  const Case cases[] = {
      {"top clears", kTop, false},       {"top is destroyed", kTop, true},
      {"middle clears", kMiddle, false}, {"middle is destroyed", kMiddle, true},
      {"bottom clears", kBottom, false}, {"bottom is destroyed", kBottom, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlainViewer other;
    std::unique_ptr<CountingDetector> d[3];
    for (auto& detector : d) {
      detector = std::make_unique<CountingDetector>();
      detector->Join();
    }
    ASSERT_EQ(d[0]->detector.NextViewer(), other.Handle());
    ASSERT_EQ(d[1]->detector.NextViewer(), d[0]->detector.ViewerWindow());
    ASSERT_EQ(d[2]->detector.NextViewer(), d[1]->detector.ViewerWindow());

    if (c.byDestruction) {
      d[c.leaver].reset();
    } else {
      d[c.leaver]->detector.SetOnClipChange(nullptr);
      EXPECT_EQ(d[c.leaver]->detector.ViewerWindow(), nullptr);
      EXPECT_FALSE(d[c.leaver]->detector.OnClipChange());
    }

    // The members that remain, top first, and the window after each.
    std::vector<CountingDetector*> remaining;
    for (int i = 2; i >= 0; --i) {
      if (i != c.leaver) remaining.push_back(d[i].get());
    }
    EXPECT_EQ(GetClipboardViewer(), remaining[0]->detector.ViewerWindow());
    EXPECT_EQ(remaining[0]->detector.NextViewer(), remaining[1]->detector.ViewerWindow());
    EXPECT_EQ(remaining[1]->detector.NextViewer(), other.Handle());
    // The detector before the leaver took the leaver's successor and passed
    // nothing on; the notice never went past it.
    EXPECT_TRUE(other.chainChanges.empty());

    ChangeClipboard();
    for (CountingDetector* r : remaining) EXPECT_EQ(r->fired, 1);
    if (d[c.leaver]) {
      EXPECT_EQ(d[c.leaver]->fired, 0);
    }
    EXPECT_EQ(other.changeNotices, 1);
    for (auto& detector : d) detector.reset();
  }
}

TEST_F(ClipDetectorTest, LeavingOfTheViewerBelowTheLastDetectorIsRepairedThere) {
  // other2 -> detector -> other1: other1 leaves. The notice passes the top
  // viewer, reaches the detector, whose next viewer it is, and stops there.
  PlainViewer* bottom = new PlainViewer;
  CountingDetector d;
  d.Join();
  PlainViewer top;
  ASSERT_EQ(d.detector.NextViewer(), bottom->Handle());
  const HWND leaving = bottom->Handle();
  delete bottom;

  ASSERT_EQ(top.chainChanges.size(), 1u);
  EXPECT_EQ(top.chainChanges[0].first, leaving);
  EXPECT_EQ(d.detector.NextViewer(), nullptr);
  ChangeClipboard();
  EXPECT_EQ(top.changeNotices, 1);
  EXPECT_EQ(d.fired, 1);
  d.detector.SetOnClipChange(nullptr);
}

TEST_F(ClipDetectorTest, HandlerThatClearsItselfLeavesAndTheNoticeStillGoesOn) {
  PlainViewer other;
  TClipboardWatcher detector;
  int fired = 0;
  detector.SetOnClipChange([&](TClipboardWatcher& sender) {
    ++fired;
    sender.SetOnClipChange(nullptr);
  });
  ChangeClipboard();
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(detector.ViewerWindow(), nullptr);
  EXPECT_EQ(GetClipboardViewer(), other.Handle());
  EXPECT_EQ(other.changeNotices, 1);
  ChangeClipboard();
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(other.changeNotices, 2);
}

TEST_F(ClipDetectorTest, HandlerThatThrowsDoesNotStopTheNotice) {
  PlainViewer other;
  TClipboardWatcher detector;
  detector.SetOnClipChange([](TClipboardWatcher&) { throw std::runtime_error("handler failed"); });
  ChangeClipboard();
  EXPECT_EQ(other.changeNotices, 1);
  detector.SetOnClipChange(nullptr);
}

// Refuses the creation of every window on this thread while installed.
class WindowCreationRefused {
 public:
  WindowCreationRefused()
      : hook_(SetWindowsHookExA(WH_CBT, &Refuse, nullptr, GetCurrentThreadId())) {
    EXPECT_NE(hook_, nullptr);
  }
  ~WindowCreationRefused() { UnhookWindowsHookEx(hook_); }

 private:
  static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  HHOOK hook_;
};

TEST_F(ClipDetectorTest, WindowThatCannotBeCreatedIsReportedAndNothingIsStored) {
  PlainViewer other;
  TClipboardWatcher detector;
  bool fired = false;
  {
    WindowCreationRefused refused;
    try {
      detector.SetOnClipChange([&](TClipboardWatcher&) { fired = true; });
      ADD_FAILURE() << "no error";
    } catch (const ClipDetectorAllocError& e) {
      EXPECT_STREQ(e.what(), "TClipboardWatcher.SetOnClipChange: Cannot Allocate HWnd");
    }
  }
  EXPECT_EQ(detector.ViewerWindow(), nullptr);
  EXPECT_FALSE(detector.OnClipChange());
  EXPECT_EQ(GetClipboardViewer(), other.Handle());
  ChangeClipboard();
  EXPECT_FALSE(fired);
  EXPECT_EQ(other.changeNotices, 1);

  // With windows allowed again, the same detector joins.
  detector.SetOnClipChange([&](TClipboardWatcher&) { fired = true; });
  EXPECT_EQ(GetClipboardViewer(), detector.ViewerWindow());
  ChangeClipboard();
  EXPECT_TRUE(fired);
  detector.SetOnClipChange(nullptr);
}

}  // namespace
