// The tray icon component's portable rules: the icon ID of a new component
// and of a change, the list that leads from an ID to its component, the
// tool tip the shell's record can hold, and the event for each mouse
// notification.
#include "components/TrayIcon.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

int a, b, c, d;  // stand-ins for components

TEST(TrayIconIdList, NextIdIsOneMoreThanTheLastEntrysWhateverTheOthersHold) {
  struct Case {
    const char* what;
    std::vector<int> ids;  // in creation order
    int next;
  };
  const Case cases[] = {
      {"the first component", {}, 1},
      {"after 1", {1}, 2},
      {"only the last entry counts, even when its successor is taken", {3, 2}, 3},
      {"a gap stays", {1, 7}, 8},
      {"the largest integer last: the smallest free ID", {1, 2, INT_MAX}, 3},
  };
  for (const Case& k : cases) {
    TrayIconIdList list;
    std::vector<int> owners(k.ids.size());
    for (std::size_t i = 0; i < k.ids.size(); ++i) list.Add(k.ids[i], &owners[i]);
    EXPECT_EQ(list.NextId(), k.next) << k.what;
  }
}

TEST(TrayIconIdList, FindsTheFirstEntryOfAnIdAndRemovesAndRenamesByComponent) {
  TrayIconIdList list;
  list.Add(3, &a);
  list.Add(2, &b);
  list.Add(3, &c);  // as NextId gives after 3 and 2
  EXPECT_EQ(list.Find(3), &a);
  EXPECT_EQ(list.Find(2), &b);
  EXPECT_EQ(list.Find(4), nullptr);

  // The second "3" renames its own entry, not the first one with that ID.
  list.Rename(&c, 5);
  EXPECT_EQ(list.Find(3), &a);
  EXPECT_EQ(list.Find(5), &c);

  // Removing a component whose ID an earlier entry shares leaves that entry.
  list.Add(5, &d);
  list.Remove(&d);
  EXPECT_EQ(list.Find(5), &c);
  list.Remove(&b);
  EXPECT_EQ(list.Find(2), nullptr);
  EXPECT_EQ(list.Components(), (std::vector<void*>{&a, &c}));
  list.Remove(&b);  // not in the list: nothing
  list.Remove(&a);
  list.Remove(&c);
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.NextId(), 1);
}

TEST(AcceptIconIdChange, RefusesNonPositiveThenTakenIdsAndSkipsTheSameId) {
  TrayIconIdList list;
  list.Add(1, &a);
  list.Add(2, &b);
  struct Case {
    int current;
    int requested;
    const char* error;  // null: no error
    bool change;
  };
  const Case cases[] = {
      {1, 3, nullptr, true},
      {1, 1, nullptr, false},              // its own ID: nothing to do
      {1, 2, kTrayIdTaken, false},         // another component's
      {1, 0, kTrayIdNotPositive, false},
      {1, -5, kTrayIdNotPositive, false},
      {0, 0, kTrayIdNotPositive, false},   // checked before the same-ID test
      {7, -1, kTrayIdNotPositive, false},  // and before the taken test
      {1, INT_MAX, nullptr, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.current) + " -> " + std::to_string(k.requested));
    if (k.error == nullptr) {
      EXPECT_EQ(AcceptIconIdChange(list, k.current, k.requested), k.change);
    } else {
      try {
        AcceptIconIdChange(list, k.current, k.requested);
        ADD_FAILURE() << "no error";
      } catch (const TrayIconError& e) {
        EXPECT_STREQ(e.what(), k.error);
      }
    }
  }
}

TEST(CutTrayTip, KeepsAtMost63BytesAndNeverHalfACharacter) {
  const std::string ascii62(62, 'x');
  const std::string ascii63(63, 'x');
  const std::string kana31 = [] {
    std::string s;
    for (int i = 0; i < 31; ++i) s += "あ";
    return s;
  }();  // 62 bytes
  struct Case {
    const char* what;
    std::string tip;
    std::string kept;
  };
  const Case cases[] = {
      {"empty", "", ""},
      {"short", "Sorvik", "Sorvik"},
      {"63 bytes stay whole", ascii63, ascii63},
      {"64 bytes lose the last", ascii63 + "y", ascii63},
      {"a double-byte character that fits at 62..63", ascii62.substr(0, 61) + "表", ascii62.substr(0, 61) + "表"},
      {"one that would end at byte 64 goes whole", ascii62 + "表", ascii62},
      {"31 double-byte characters and one more", kana31 + "い", kana31},
      {"31 double-byte characters and a single byte", kana31 + "zz", kana31 + "z"},
      {"half-width katakana are single bytes", std::string(64, '\xB1'), std::string(63, '\xB1')},
      {"a lead byte without its second byte goes", "ab\x83", "ab"},
      {"a null byte ends the tip", std::string("ab\0cd", 5), "ab"},
      {"a lead byte before a null goes too", std::string("ab\x83\0", 4), "ab"},
  };
  for (const Case& k : cases) EXPECT_EQ(CutTrayTip(k.tip), k.kept) << k.what;
}

TEST(TrayEventFor, MapsEachMouseNotificationToItsEvent) {
  using K = TrayEventKind;
  using B = TrayButton;
  struct Case {
    unsigned message;
    TrayEvent event;
  };
  const Case cases[] = {
      {512, {K::MouseMove, B::Left}},  {513, {K::MouseDown, B::Left}},  {514, {K::MouseUp, B::Left}},
      {515, {K::DblClick, B::Left}},   {516, {K::MouseDown, B::Right}}, {517, {K::MouseUp, B::Right}},
      {518, {K::DblClick, B::Right}},  {519, {K::MouseDown, B::Middle}}, {520, {K::MouseUp, B::Middle}},
      {521, {}},  // the middle double click: no event
      {511, {}},  {522, {}}, {0, {}},   {0x400, {}},
  };
  for (const Case& k : cases) EXPECT_EQ(TrayEventFor(k.message), k.event) << k.message;
}

}  // namespace
