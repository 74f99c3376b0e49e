// The tray icon component's rules that need no Win32: the list that leads
// from an icon ID back to its component, how a new component's ID is
// chosen and when another ID may be given to it, the tool tip the shell's
// record can hold, and which component event a mouse notification of the
// shell stands for. TrayIcon_win.h carries them out. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Error.h"

// The message the shell sends to the notify window for every icon event
// (WM_USER + 102), and the one posted to the owner after a popup menu
// closed (WM_USER + 103).
inline constexpr unsigned TRAY_CALLBACK_MESSAGE = 1126;
inline constexpr unsigned TRAY_MENU_CLOSED_MESSAGE = 1127;

// The component's errors, raised to the caller of a property setter.
inline constexpr char kTrayIdNotPositive[] = "0以下は指定できません";
inline constexpr char kTrayIdTaken[] = "同じアイコン識別子が有ります";
inline constexpr char kTrayNoIcon[] = "アイコンが指定されていません";
inline constexpr char kTrayRefused[] = "タスクトレイに登録できません";

class TrayIconError : public Error {
 public:
  using Error::Error;
};

// One entry per living component, in creation order: its icon ID and the
// component itself. The only way from an icon ID back to a component.
class TrayIconIdList {
 public:
  // The ID of a component created now: 1 when the list is empty, else the
  // last entry's ID plus 1, whether or not another entry has that ID. Only
  // when the last ID is the largest integer is the smallest unused positive
  // ID taken instead.
  int NextId() const;
  void Add(int id, void* component);
  // Removes the entry of `component` (not just any entry with its ID).
  void Remove(const void* component);
  // The component of the first entry with `id`; null when none has it.
  void* Find(int id) const;
  bool Contains(int id) const;
  // Gives the entry of `component` the ID `id`.
  void Rename(const void* component, int id);
  bool Empty() const { return entries_.empty(); }
  // Every component, in creation order.
  std::vector<void*> Components() const;

 private:
  struct Entry {
    int id;
    void* component;
  };
  std::vector<Entry> entries_;
};

// Whether a component whose ID is `current` is to take `requested`: false
// when they are equal (nothing to do). Throws TrayIconError with
// kTrayIdNotPositive for 0 or less (tested first), with kTrayIdTaken when
// another entry has `requested`.
bool AcceptIconIdChange(const TrayIconIdList& list, int current, int requested);

// The tool tip as the shell's record holds it: at most 63 bytes (the 64th
// is the terminator), cut before a double-byte character that would not
// fit whole, and before a null byte.
inline constexpr std::size_t kTrayTipMaxBytes = 63;
std::string CutTrayTip(std::string_view tip);

// The component event for one mouse notification of the shell (the lParam
// of TRAY_CALLBACK_MESSAGE).
enum class TrayEventKind { None, MouseMove, MouseDown, MouseUp, DblClick };
enum class TrayButton { Left, Right, Middle };
struct TrayEvent {
  TrayEventKind kind = TrayEventKind::None;
  TrayButton button = TrayButton::Left;  // unused for None and MouseMove

  friend bool operator==(const TrayEvent&, const TrayEvent&) = default;
};
// WM_MOUSEMOVE (512) to WM_MBUTTONUP (520); anything else, the middle
// double click (521) included, is None.
TrayEvent TrayEventFor(std::uintptr_t mouseMessage);
