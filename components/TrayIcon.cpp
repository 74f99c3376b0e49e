#include "components/TrayIcon.h"

#include <algorithm>
#include <climits>

#include "base/CodePage.h"

int TrayIconIdList::NextId() const {
  if (entries_.empty()) return 1;
  const int last = entries_.back().id;
  if (last < INT_MAX) return last + 1;
  int id = 1;
  while (Contains(id)) ++id;
  return id;
}

void TrayIconIdList::Add(int id, void* component) { entries_.push_back({id, component}); }

void TrayIconIdList::Remove(const void* component) {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.component == component; });
  if (found != entries_.end()) entries_.erase(found);
}

void* TrayIconIdList::Find(int id) const {
  for (const Entry& e : entries_) {
    if (e.id == id) return e.component;
  }
  return nullptr;
}

bool TrayIconIdList::Contains(int id) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.id == id; });
}

void TrayIconIdList::Rename(const void* component, int id) {
  for (Entry& e : entries_) {
    if (e.component == component) {
      e.id = id;
      return;
    }
  }
}

std::vector<void*> TrayIconIdList::Components() const {
  std::vector<void*> components;
  for (const Entry& e : entries_) components.push_back(e.component);
  return components;
}

bool AcceptIconIdChange(const TrayIconIdList& list, int current, int requested) {
  if (requested <= 0) throw TrayIconError(kTrayIdNotPositive);
  if (requested == current) return false;
  if (list.Contains(requested)) throw TrayIconError(kTrayIdTaken);
  return true;
}

std::string CutTrayTip(std::string_view tip) {
  std::size_t end = 0;
  while (end < tip.size() && tip[end] != '\0') {
    const bool lead = IsAnsiLeadByte(static_cast<unsigned char>(tip[end]));
    // A lead byte with no second byte after it is no whole character.
    if (lead && (end + 1 >= tip.size() || tip[end + 1] == '\0')) break;
    const std::size_t width = lead ? 2 : 1;
    if (end + width > kTrayTipMaxBytes) break;
    end += width;
  }
  return std::string(tip.substr(0, end));
}

TrayEvent TrayEventFor(std::uintptr_t mouseMessage) {
  using K = TrayEventKind;
  using B = TrayButton;
  switch (mouseMessage) {
    case 512: return {K::MouseMove, B::Left};   // WM_MOUSEMOVE
    case 513: return {K::MouseDown, B::Left};   // WM_LBUTTONDOWN
    case 514: return {K::MouseUp, B::Left};     // WM_LBUTTONUP
    case 515: return {K::DblClick, B::Left};    // WM_LBUTTONDBLCLK
    case 516: return {K::MouseDown, B::Right};  // WM_RBUTTONDOWN
    case 517: return {K::MouseUp, B::Right};    // WM_RBUTTONUP
    case 518: return {K::DblClick, B::Right};   // WM_RBUTTONDBLCLK
    case 519: return {K::MouseDown, B::Middle}; // WM_MBUTTONDOWN
    case 520: return {K::MouseUp, B::Middle};   // WM_MBUTTONUP
    default: return {};                         // the middle double click included
  }
}
