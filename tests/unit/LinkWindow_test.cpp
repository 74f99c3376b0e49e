// What the link window makes of a copied line, where it goes, and what its
// entries open.
#include "agent/LinkWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
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

TEST(LinkWindowPosition, PutsTheLowerLeftCornerAtTheMouseAndKeepsTheWholeWindowInTheWorkArea) {
  struct Case { const char* name; int x, y; ScreenRect work; ScreenPoint at; };
  const ScreenRect primary{0, 0, 1280, 1024};
  const Case cases[] = {
      {"room all round", 100, 500, primary, {100, 420}},
      {"flush with the right edge exactly", 980, 500, primary, {980, 420}},
      {"one pixel more moves it left", 981, 500, primary, {980, 420}},
      {"near the right edge", 1270, 300, primary, {980, 220}},
      {"flush with the top edge exactly", 50, 80, primary, {50, 0}},
      {"near the top edge it comes down", 50, 10, primary, {50, 0}},
      {"the top right corner", 1279, 0, primary, {980, 0}},
      {"a taskbar at the top: below it", 50, 40, {0, 30, 1280, 1024}, {50, 30}},
      {"a taskbar at the bottom: the mouse below the work area", 50, 1020, {0, 0, 1280, 994}, {50, 914}},
      {"a taskbar on the left", 5, 500, {60, 0, 1280, 1024}, {60, 420}},
      {"a monitor left of the primary one", -1900, 500, {-1920, 0, 0, 1080}, {-1900, 420}},
      {"its right edge is the primary monitor's left edge", -10, 500, {-1920, 0, 0, 1080}, {-300, 420}},
      {"its top left corner", -1920, 3, {-1920, 0, 0, 1080}, {-1920, 0}},
      {"a monitor above the primary one", 100, -700, {0, -768, 1024, 0}, {100, -768}},
      {"a monitor right of the primary one, near its right edge", 3830, 200, {1280, 0, 3840, 1440}, {3540, 120}},
      {"a work area smaller than the window keeps the left and top edges",
       50, 50, {10, 20, 210, 70}, {10, 20}},
  };
  for (const Case& c : cases) EXPECT_EQ(LinkWindowPosition(c.x, c.y, 300, 80, c.work), c.at) << c.name;
}

TEST(IsWebLink, TakesHttpHttpsAndFtpInAnyCaseOnly) {
  struct Case { std::string entry; bool web; };
  const Case cases[] = {
      {"http://example.com/", true},
      {"https://example.com/a?b=1", true},
      {"ftp://ftp.example.jp/pub/", true},
      {"HTTP://EXAMPLE.COM/", true},
      {"hTtPs://example.com/", true},
      {"Ftp://x", true},
      {"http://", true},  // nothing after it: the browser's own matter
      {"file://host/share/x.js", false},
      {"FILE:///C:/Windows/notepad.exe", false},
      {"ms-settings://x", false},
      {"javascript://%0aalert(1)", false},
      {"xhttp://example.com/", false},        // another scheme that ends in http
      {"see.http://example.com/", false},     // a URL token that begins before the scheme
      {"httpx://example.com/", false},
      {"http:/example.com/", false},
      {"http:example.com", false},
      {"mailto:a@b.jp", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsWebLink(c.entry), c.web) << c.entry;
}

TEST(IsPlainFileName, RefusesPathsButNotTheTrailBytesOfJapaneseNames) {
  struct Case { std::string name; bool plain; };
  const Case cases[] = {
      {"report.doc", true},
      {"表.txt", true},                     // 0x95 0x5C
      {"ソフト一覧.xls", true},             // 0x83 0x5C
      {"表ソ表", true},                     // ends in a trail byte 0x5C
      {"a b.c d", true},
      {".profile", true},
      {"a.b.c", true},
      {"..\\..\\Windows\\notepad.exe", false},
      {"sub\\a.doc", false},
      {"sub/a.doc", false},
      {"\\\\server\\pub\\setup.exe", false},
      {"C:\\Windows\\notepad.exe", false},
      {"C:a.doc", false},
      {"a.doc:stream", false},
      {"..", false},
      {"a..doc", false},
      {"表..txt", false},
      {"表\\a.txt", false},                 // a separator right after a double-byte character
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPlainFileName(c.name), c.plain) << c.name;
}

// The file system as TargetOf sees it, and the paths it was asked about.
class FakeFiles {
 public:
  FakeFiles(std::vector<std::string> files, std::vector<std::string> folders)
      : files_(std::move(files)), folders_(std::move(folders)) {}
  PathKindOf KindOf() {
    return [this](const std::string& path) {
      asked.push_back(path);
      for (const std::string& f : files_) {
        if (f == path) return PathKind::File;
      }
      for (const std::string& f : folders_) {
        if (f == path) return PathKind::Folder;
      }
      return PathKind::Nothing;
    };
  }
  std::vector<std::string> asked;

 private:
  std::vector<std::string> files_;
  std::vector<std::string> folders_;
};

TEST(TargetOf, OpensOnlyWhatTheEntrySaysItOpens) {
  struct Case {
    const char* name;
    TListMode mode;
    std::string entry;
    std::string attachFolder;
    EntryTarget target;
    Entries asked;  // the paths looked up on the file system
  };
  const std::string attach = "C:\\Mail\\Attach";
  const Case cases[] = {
      {"a mailto entry", lmLinks, "mailto:taro@example.com.", attach, {EntryAction::NewMail, "taro@example.com."}, {}},
      {"mailto alone", lmLinks, "mailto:", attach, {EntryAction::NewMail, ""}, {}},
      {"a web address", lmLinks, "http://example.com/", attach, {EntryAction::OpenLink, "http://example.com/"}, {}},
      {"a web address in capitals", lmLinks, "HTTPS://EXAMPLE.COM/", attach,
       {EntryAction::OpenLink, "HTTPS://EXAMPLE.COM/"}, {}},
      {"an ftp address", lmLinks, "ftp://ftp.example.jp/", attach, {EntryAction::OpenLink, "ftp://ftp.example.jp/"}, {}},
      {"a file URL", lmLinks, "file://host/share/x.js", attach,
       {EntryAction::Refuse, LinkRefusedMessage("file://host/share/x.js")}, {}},
      {"another protocol", lmLinks, "ms-settings://x", attach,
       {EntryAction::Refuse, LinkRefusedMessage("ms-settings://x")}, {}},
      {"MAILTO in capitals is no mailto entry", lmLinks, "MAILTO:taro@example.com", attach,
       {EntryAction::Refuse, LinkRefusedMessage("MAILTO:taro@example.com")}, {}},
      {"an attachment in the folder", lmAttachment, "report.doc", attach,
       {EntryAction::OpenAttachment, "C:\\Mail\\Attach\\report.doc"}, {"C:\\Mail\\Attach\\report.doc"}},
      {"an attachment with 0x5C trail bytes", lmAttachment, "表ソ.txt", attach,
       {EntryAction::OpenAttachment, "C:\\Mail\\Attach\\表ソ.txt"}, {"C:\\Mail\\Attach\\表ソ.txt"}},
      {"a folder ending in a trail byte 0x5C gets its separator", lmAttachment, "a.txt", "C:\\表",
       {EntryAction::OpenAttachment, "C:\\表\\a.txt"}, {"C:\\表\\a.txt"}},
      {"a drive root is not doubled", lmAttachment, "a.txt", "D:\\",
       {EntryAction::OpenAttachment, "D:\\a.txt"}, {"D:\\a.txt"}},
      {"an attachment that is not there", lmAttachment, "gone.doc", attach,
       {EntryAction::Refuse, AttachmentMissingMessage("C:\\Mail\\Attach\\gone.doc")}, {"C:\\Mail\\Attach\\gone.doc"}},
      {"an attachment name that is a folder", lmAttachment, "sub", attach,
       {EntryAction::Refuse, AttachmentMissingMessage("C:\\Mail\\Attach\\sub")}, {"C:\\Mail\\Attach\\sub"}},
      {"an attachment name climbing out", lmAttachment, "..\\..\\Windows\\notepad.exe", attach,
       {EntryAction::Refuse, AttachmentRefusedMessage("..\\..\\Windows\\notepad.exe")}, {}},
      {"an attachment name with a drive", lmAttachment, "C:\\Windows\\notepad.exe", attach,
       {EntryAction::Refuse, AttachmentRefusedMessage("C:\\Windows\\notepad.exe")}, {}},
      {"an attachment name on a share", lmAttachment, "\\\\server\\pub\\setup.exe", attach,
       {EntryAction::Refuse, AttachmentRefusedMessage("\\\\server\\pub\\setup.exe")}, {}},
      {"an attachment without an attachment folder", lmAttachment, "report.doc", "",
       {EntryAction::Refuse, AttachmentMissingMessage("report.doc")}, {}},
      {"an extracted folder", lmFolder, "C:\\Mail\\Attach\\abc", attach,
       {EntryAction::OpenFolder, "C:\\Mail\\Attach\\abc"}, {"C:\\Mail\\Attach\\abc"}},
      {"a folder notice naming a file", lmFolder, "C:\\Mail\\Attach\\report.doc", attach,
       {EntryAction::Refuse, FolderMissingMessage("C:\\Mail\\Attach\\report.doc")},
       {"C:\\Mail\\Attach\\report.doc"}},
      {"a folder notice naming nothing", lmFolder, "C:\\nowhere", attach,
       {EntryAction::Refuse, FolderMissingMessage("C:\\nowhere")}, {"C:\\nowhere"}},
      {"a folder notice on a share is not even looked up", lmFolder, "\\\\server\\pub\\setup.exe", attach,
       {EntryAction::Refuse, FolderRefusedMessage("\\\\server\\pub\\setup.exe")}, {}},
      {"a device path", lmFolder, "\\\\?\\C:\\Mail", attach,
       {EntryAction::Refuse, FolderRefusedMessage("\\\\?\\C:\\Mail")}, {}},
      {"a relative path", lmFolder, "abc", attach, {EntryAction::Refuse, FolderRefusedMessage("abc")}, {}},
      {"a path relative to a drive", lmFolder, "C:abc", attach, {EntryAction::Refuse, FolderRefusedMessage("C:abc")}, {}},
      {"a URL in a folder notice", lmFolder, "http://example.com/", attach,
       {EntryAction::Refuse, FolderRefusedMessage("http://example.com/")}, {}},
  };
  for (const Case& c : cases) {
    FakeFiles files({"C:\\Mail\\Attach\\report.doc", "C:\\Mail\\Attach\\表ソ.txt", "C:\\表\\a.txt", "D:\\a.txt",
                     "\\\\server\\pub\\setup.exe"},
                    {"C:\\Mail\\Attach\\abc", "C:\\Mail\\Attach\\sub", "\\\\server\\pub\\setup.exe", "\\\\?\\C:\\Mail",
                     "abc", "C:abc"});
    EXPECT_EQ(TargetOf(c.mode, c.entry, c.attachFolder, files.KindOf()), c.target) << c.name;
    EXPECT_EQ(files.asked, c.asked) << c.name;
  }
}

TEST(RefusalMessages, NameTheEntryByteForByte) {
  const std::string entry = "file://表/ソ.js";
  for (const std::string& message : {LinkRefusedMessage(entry), AttachmentRefusedMessage(entry),
                                     AttachmentMissingMessage(entry), FolderRefusedMessage(entry),
                                     FolderMissingMessage(entry)}) {
    EXPECT_NE(message.find("開けません"), std::string::npos) << message;
    EXPECT_TRUE(message.ends_with("\n\n" + entry)) << message;
  }
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
