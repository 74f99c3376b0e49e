#include "components/ClipboardWatcher_win.h"

#include <utility>

namespace {
constexpr char kViewerClass[] = "TOlClipDetectorWindow";
}  // namespace

ClipDetectorAllocError::ClipDetectorAllocError()
    : Error("TClipboardWatcher.SetOnClipChange: Cannot Allocate HWnd") {}

TClipboardWatcher::TClipboardWatcher() = default;

TClipboardWatcher::~TClipboardWatcher() { Leave(); }

void TClipboardWatcher::SetOnClipChange(TClipChangeEvent event) {
  if (!event) {
    if (viewerWindow_ != nullptr) {
      Leave();
      onClipChange_ = nullptr;
    }
    return;
  }
  if (viewerWindow_ != nullptr) {
    onClipChange_ = std::move(event);
    return;
  }
  // A hidden top-level window, never shown: the system sends it the chain's
  // messages on this thread.
  HWND window = nullptr;
  if (RegisterRoutedClass(kViewerClass)) {
    window = CreateRoutedWindow(this, 0, kViewerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr);
  }
  if (window == nullptr) throw ClipDetectorAllocError();
  viewerWindow_ = window;
  onClipChange_ = std::move(event);
  // The system sends the new viewer a change notice from inside
  // SetClipboardViewer; Joining tells the handler that it is that one.
  joining_ = true;
  nextViewer_ = SetClipboardViewer(viewerWindow_);
  joining_ = false;
}

void TClipboardWatcher::ClipChange() {
  // A copy: the handler may replace or clear itself while it runs.
  if (TClipChangeEvent handler = onClipChange_) handler(*this);
}

void TClipboardWatcher::Leave() noexcept {
  if (viewerWindow_ == nullptr) return;
  // Unlink first, so the chain is whole again before the window goes.
  ChangeClipboardChain(viewerWindow_, nextViewer_);
  DestroyWindow(viewerWindow_);
  viewerWindow_ = nullptr;
  // Outside the chain there is no next viewer. Were the old one kept, the
  // notice of a later join would be passed to a window that may have left
  // the chain, or no longer exist.
  nextViewer_ = nullptr;
}

LRESULT TClipboardWatcher::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWCLIPBOARD: {
      const HWND nextAtNotice = nextViewer_;
      if (!IgnoreFirst || !joining_) {
        // No exception may cross the system's frames, and the rest of the
        // chain must get the notice whatever the handler did.
        try {
          ClipChange();
        } catch (...) {
        }
      }
      // A handler that made the detector leave has not taken the notice
      // from the viewer that was next when it arrived.
      const HWND next = viewerWindow_ == window ? nextViewer_ : nextAtNotice;
      if (next != nullptr) SendMessageA(next, WM_DRAWCLIPBOARD, 0, 0);
      return 0;
    }
    case WM_CHANGECBCHAIN: {
      const HWND leaving = reinterpret_cast<HWND>(wParam);
      const HWND afterLeaving = reinterpret_cast<HWND>(lParam);
      if (leaving == nextViewer_) {
        nextViewer_ = afterLeaving;
        return 0;
      }
      if (nextViewer_ == nullptr) return 0;
      return SendMessageA(nextViewer_, WM_CHANGECBCHAIN, wParam, lParam);
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
