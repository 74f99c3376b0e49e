#include "hostaccess/HostIdentifiers.h"

HostWindowKind ClassifyHostClassName(std::string_view className) {
  for (const HostWindowKindRow& row : HostWindowKinds) {
    if (row.hookReports && row.className == className) return row.kind;
  }
  return hwUnknown;
}

std::optional<HostWindowKind> KindFromLParam(std::intptr_t lParam) {
  const auto low = static_cast<std::uint8_t>(static_cast<std::uintptr_t>(lParam) & 0xFF);
  if (low >= HostWindowKindCount) return std::nullopt;
  return static_cast<HostWindowKind>(low);
}
