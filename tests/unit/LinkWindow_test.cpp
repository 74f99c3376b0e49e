// What the link window makes of a copied line, where it goes, and what its
// entries open.
#include "agent/LinkWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "agent/HostEvents.h"

namespace {

using Entries = std::vector<std::string>;

TEST(ReadCopiedLine, ListsUrlsThenMailAddressesOfAnOrdinaryLine) {
  struct Case { const char* name; std::string line; Entries entries; };
  const Case cases[] = {
      {"a URL with a comma, a blank and an address ending in a full stop",
       "見て http://example.com/a?b=1, taro@example.com.",
       {"http://example.com/a?b=1", "mailto:taro@example.com."}},
      {"a URL followed directly by Japanese ends before it",
       "http://example.com/pathです", {"http://example.com/path"}},
      {"a URL with @ before its path gives no mail entry",
       "http://user@example.com/x", {"http://user@example.com/x"}},
      {"URLs first, then addresses, in order, duplicates kept",
       "a@x.jp http://a.jp b@y.jp http://b.jp a@x.jp",
       {"http://a.jp", "http://b.jp", "mailto:a@x.jp", "mailto:b@y.jp", "mailto:a@x.jp"}},
      {"no links", "こんにちは、元気？", {}},
      {"an empty line", "", {}},
      {"the marker not at the very start is an ordinary line",
       " Mochiru>>>>>添付ファイル:a.doc がありました。", {}},
  };
  for (const Case& c : cases) {
    const CopiedLine line = ReadCopiedLine(c.line);
    EXPECT_EQ(line.mode, lmLinks) << c.name;
    EXPECT_FALSE(line.keepsMode) << c.name;
    EXPECT_EQ(line.entries, c.entries) << c.name;
  }
}

TEST(ReadCopiedLine, ReadsTheHostsNotices) {
  struct Case { const char* name; std::string line; TListMode mode; bool keepsMode; Entries entries; };
  const Case cases[] = {
      {"an attachment", "Mochiru>>>>>添付ファイル:report.doc がありました。", lmAttachment, false, {"report.doc"}},
      {"an attachment with a Japanese name", "Mochiru>>>>>添付ファイル:表ソ報告.txt がありました。", lmAttachment, false,
       {"表ソ報告.txt"}},
      {"an attachment without the suffix keeps the rest", "Mochiru>>>>>添付ファイル:report.doc", lmAttachment, false,
       {"report.doc"}},
      {"50 bytes from the suffix on are cut, what follows them stays",
       "Mochiru>>>>>添付ファイル:report.doc がありました。" + std::string(40, 'x'), lmAttachment, false,
       {"report.doc" + std::string(5, 'x')}},
      {"a cut that would halve a double-byte character takes it whole",
       "Mochiru>>>>>添付ファイル:report.doc がありました。" + std::string(34, 'x') + "あいう", lmAttachment, false,
       {"report.docいう"}},
      {"an extraction", "Mochiru>>>>>C:\\Mail\\Attach\\abcに展開しました", lmFolder, false, {"C:\\Mail\\Attach\\abc"}},
      {"an extraction with text after the phrase",
       "Mochiru>>>>>C:\\Mail\\表\\abcに展開しました。(3個のファイル)", lmFolder, false, {"C:\\Mail\\表\\abc"}},
      {"the attachment prefix wins over the phrase",
       "Mochiru>>>>>添付ファイル:aに展開しました がありました。", lmAttachment, false, {"aに展開しました"}},
      {"a notice that is neither", "Mochiru>>>>>お知らせです http://example.com/", lmLinks, true, {}},
      {"the prefix not right after the marker", "Mochiru>>>>> 添付ファイル:a.doc がありました。", lmLinks, true, {}},
      {"the marker alone", "Mochiru>>>>>", lmLinks, true, {}},
  };
  for (const Case& c : cases) {
    const CopiedLine line = ReadCopiedLine(c.line);
    EXPECT_EQ(line.keepsMode, c.keepsMode) << c.name;
    if (!c.keepsMode) {
      EXPECT_EQ(line.mode, c.mode) << c.name;
    }
    EXPECT_EQ(line.entries, c.entries) << c.name;
  }
}

TEST(LabelsFor, EachModeHasItsTwoLines) {
  struct Case { TListMode mode; LinkLabels labels; };
  const Case cases[] = {
      {lmLinks, {"クリッカブルしたいＵＲＬ、", "メアドをダブルクリック！"}},
      {lmAttachment, {"C:\\Mail\\Attach", "開きたい添付ファイルをダブルクリック！"}},
      {lmFolder, {"添付書類フォルダを開きたいときは", "↑のフォルダ名をダブルクリック！"}},
  };
  for (const Case& c : cases) {
    const LinkLabels labels = LabelsFor(c.mode, "C:\\Mail\\Attach");
    EXPECT_EQ(labels.label1, c.labels.label1) << c.mode;
    EXPECT_EQ(labels.label2, c.labels.label2) << c.mode;
  }
}

TEST(LinkWindowPosition, PutsTheLowerLeftCornerAtTheMouseAndKeepsTheRightEdgeOnTheScreen) {
  struct Case { const char* name; int x, y; ScreenPoint at; };
  const Case cases[] = {
      {"room to the right", 100, 500, {100, 420}},
      {"flush with the right edge exactly", 980, 500, {980, 420}},
      {"one pixel more moves it left", 981, 500, {980, 420}},
      {"near the right edge", 1270, 300, {980, 220}},
      {"near the top, the top edge leaves the screen", 50, 10, {50, -70}},
  };
  for (const Case& c : cases) EXPECT_EQ(LinkWindowPosition(c.x, c.y, 300, 80, 1280), c.at) << c.name;
}

TEST(TargetOf, OpensByModeAndTheMailtoPrefix) {
  struct Case { TListMode mode; std::string entry; EntryTarget target; };
  const Case cases[] = {
      {lmLinks, "mailto:taro@example.com.", {EntryAction::NewMail, "taro@example.com."}},
      {lmLinks, "mailto:", {EntryAction::NewMail, ""}},
      {lmLinks, "MAILTO:taro@example.com", {EntryAction::OpenHidden, "MAILTO:taro@example.com"}},
      {lmLinks, "http://example.com/", {EntryAction::OpenHidden, "http://example.com/"}},
      {lmAttachment, "report.doc", {EntryAction::OpenHidden, "C:\\Mail\\Attach\\report.doc"}},
      {lmAttachment, "mailto:x", {EntryAction::OpenHidden, "C:\\Mail\\Attach\\mailto:x"}},
      {lmFolder, "C:\\Mail\\Attach\\abc", {EntryAction::OpenShown, "C:\\Mail\\Attach\\abc"}},
  };
  for (const Case& c : cases) EXPECT_EQ(TargetOf(c.mode, c.entry, "C:\\Mail\\Attach"), c.target) << c.entry;
}

TEST(ActionForDoubleClick, CopiesInTextControlsAndReleasesTheButtonInTheTwoLists) {
  struct Case { const char* control; const char* parent; DoubleClickAction action; };
  const Case cases[] = {
      {"TMemo", "TReadWnd", DoubleClickAction::CopyLine},
      {"TRichEdit", "TPanel", DoubleClickAction::CopyLine},
      {"TMochiruListBox", "TOyatsuWnd", DoubleClickAction::ReleaseGiveButton},
      {"TMochiruListBox", "TOmochaWnd", DoubleClickAction::ReleasePutButton},
      {"TMochiruListBox", "TPanel", DoubleClickAction::Nothing},
      {"TMochiruListBox", "toyatsuwnd", DoubleClickAction::Nothing},
      {"TEdit", "TMailWnd", DoubleClickAction::Nothing},
      {"tmemo", "TReadWnd", DoubleClickAction::Nothing},
      {"", "", DoubleClickAction::Nothing},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ActionForDoubleClick(c.control, c.parent), c.action) << c.control << " in " << c.parent;
  }
}

}  // namespace
