// A member of the system's clipboard viewer chain that fires an event when
// the clipboard contents change. It passes every change notice on to the
// next viewer and repairs its link when another viewer leaves.
//
// The detector is in the chain exactly while a handler is assigned:
// assigning the first handler joins, clearing it (or destroying the detector)
// leaves. Everything runs on the thread that created the detector: the system
// sends the chain messages to its hidden window there.
#pragma once

#include <windows.h>

#include <functional>

#include "base/Error.h"
#include "base/RoutedWindow_win.h"

// The detector's hidden window could not be created; the detector stayed
// outside the chain and the handler was not stored.
class ClipDetectorAllocError : public Error {
 public:
  ClipDetectorAllocError();
};

class TClipboardWatcher : private MessageHandler {
 public:
  using TClipChangeEvent = std::function<void(TClipboardWatcher& sender)>;

  // Does not join the chain.
  TClipboardWatcher();
  // Leaves the chain if it is in it.
  ~TClipboardWatcher() override;
  TClipboardWatcher(const TClipboardWatcher&) = delete;
  TClipboardWatcher& operator=(const TClipboardWatcher&) = delete;

  // Drop the notice the system sends while the detector joins the chain.
  // A plain field: changing it has no other effect.
  bool IgnoreFirst = true;

  // Called with this detector for every change notice, before the notice
  // is passed down the chain. The handler may replace or clear itself but
  // must not destroy the detector; an exception it throws is dropped (it
  // cannot cross the system's frames).
  const TClipChangeEvent& OnClipChange() const { return onClipChange_; }
  // An empty handler leaves the chain (nothing happens when the detector is
  // not in it). A handler while outside the chain creates the hidden window
  // and joins; throws ClipDetectorAllocError when the window cannot be
  // created. A handler while in the chain only replaces the old one.
  void SetOnClipChange(TClipChangeEvent event);

  // The hidden window; null while outside the chain.
  HWND ViewerWindow() const { return viewerWindow_; }
  // The next viewer in the chain; null when this one is the last, and while
  // outside the chain.
  HWND NextViewer() const { return nextViewer_; }
  // True only while SetClipboardViewer runs.
  bool Joining() const { return joining_; }

 protected:
  // Calls the handler with this detector, if one is assigned.
  virtual void ClipChange();

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void Leave() noexcept;

  HWND viewerWindow_ = nullptr;
  HWND nextViewer_ = nullptr;
  bool joining_ = false;
  TClipChangeEvent onClipChange_;
};
