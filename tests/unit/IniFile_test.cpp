// The settings file format: reading, writing back, lookups and the file
// object over a store in memory.
#include "components/IniFile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/MemoryIniStore.h"

namespace {

std::string Rewritten(std::string_view text) {
  TIniContents ini;
  ini.SetText(text);
  return ini.Text();
}

TEST(IniText, IsReadAndWrittenBackInItsOwnFormat) {
  struct Case { const char* what; std::string input; std::string expected; };
  const Case cases[] = {
      {"empty file", "", ""},
      {"one key, CR LF", "[options]\r\nfolder=C:\\Mail\r\n",
       "[options]\r\nfolder=C:\\Mail\r\n\r\n"},
      {"lone LF line ends become CR LF", "[a]\nx=1\ny=2\n", "[a]\r\nx=1\r\ny=2\r\n\r\n"},
      {"last line without line end", "[a]\r\nx=1", "[a]\r\nx=1\r\n\r\n"},
      {"empty lines and comments are dropped",
       "\r\n[a]\r\n\r\n;comment\r\nx=1\r\n;x=2\r\n\n\r\n",
       "[a]\r\nx=1\r\n\r\n"},
      {"lines before the first section are dropped", "x=0\r\nstray\r\n[a]\r\nx=1\r\n",
       "[a]\r\nx=1\r\n\r\n"},
      {"a line without = is kept as it is", "[a]\r\nnot a key\r\nx=1\r\n",
       "[a]\r\nnot a key\r\nx=1\r\n\r\n"},
      {"sections keep their order, each followed by one empty line",
       "[b]\r\nx=1\r\n[a]\r\n[c]\r\ny=2\r\n", "[b]\r\nx=1\r\n\r\n[a]\r\n\r\n[c]\r\ny=2\r\n\r\n"},
      {"a repeated section continues the first, in its spelling",
       "[Opt]\r\nx=1\r\n[other]\r\nz=3\r\n[OPT]\r\ny=2\r\n",
       "[Opt]\r\nx=1\r\ny=2\r\n\r\n[other]\r\nz=3\r\n\r\n"},
      {"double-byte names differing in a trail byte's case are different sections",
       "[ア]\r\nx=1\r\n[ヂ]\r\ny=2\r\n", "[ア]\r\nx=1\r\n\r\n[ヂ]\r\ny=2\r\n\r\n"},
      {"only [ ... ] on the whole line is a header",
       "[a]\r\n[b\r\n [c]\r\n[d] \r\n", "[a]\r\n[b\r\n [c]\r\n[d] \r\n\r\n"},
      {"an empty section name", "[]\r\nx=1\r\n", "[]\r\nx=1\r\n\r\n"},
      {"a ; inside a line is no comment", "[a]\r\nx=1;2\r\n", "[a]\r\nx=1;2\r\n\r\n"},
      {"only one CR before LF belongs to the line end", "[a]\r\nx=1\r\r\ny=\r2\r\n",
       "[a]\r\nx=1\r\r\ny=\r2\r\n\r\n"},
      {"a blank line of spaces is not empty", "[a]\r\n  \r\n", "[a]\r\n  \r\n\r\n"},
      {"Japanese and = in values pass byte for byte", "[表]\r\nソ=C:\\表\\ソ=1\r\n",
       "[表]\r\nソ=C:\\表\\ソ=1\r\n\r\n"},
      {"NUL bytes are text", std::string("[a]\r\nx=\0y\r\n", 11), std::string("[a]\r\nx=\0y\r\n\r\n", 13)},
  };
  for (const Case& c : cases) EXPECT_EQ(Rewritten(c.input), c.expected) << c.what;
}

TEST(IniText, SetTextReplacesEarlierContents) {
  TIniContents ini;
  ini.SetText("[a]\r\nx=1\r\n");
  ini.SetText("[b]\r\ny=2\r\n");
  EXPECT_EQ(ini.ReadString("a", "x", "none"), "none");
  EXPECT_EQ(ini.Text(), "[b]\r\ny=2\r\n\r\n");
}

class IniReadString : public ::testing::Test {
 protected:
  void SetUp() override {
    ini.SetText(
        "[Options]\r\n"
        "Folder=C:\\Mail\\Attach\r\n"
        "folder=second\r\n"
        "path=a=b=c\r\n"
        "empty=\r\n"
        "=nameless\r\n"
        "flag\r\n"
        "spaced = x\r\n"
        "ア=katakana a\r\n"
        "[other]\r\n"
        "other=1\r\n");
  }
  TIniContents ini;
};

TEST_F(IniReadString, FindsKeysIgnoringAsciiCaseAndOtherwiseGivesTheDefault) {
  struct Case { const char* section; const char* key; const char* expected; };
  const Case cases[] = {
      {"options", "folder", "C:\\Mail\\Attach"},  // the first of two, any case
      {"OPTIONS", "FOLDER", "C:\\Mail\\Attach"},
      {"options", "path", "a=b=c"},               // the value follows the first =
      {"options", "empty", ""},
      {"options", "", "nameless"},
      {"options", "flag", "default"},             // a line without = is no key
      {"options", "spaced", "default"},           // names are not trimmed
      {"options", "spaced ", " x"},
      {"options", "ア", "katakana a"},
      {"options", "ヂ", "default"},               // 0x83 0x61 is not 0x83 0x41
      {"options", "other", "default"},            // keys belong to their section
      {"other", "other", "1"},
      {"missing", "folder", "default"},
      {"option", "folder", "default"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.expected) << c.section << "/" << c.key;
  }
}

TEST(IniWriteString, ReplacesInPlaceOrAppendsToTheSectionOrTheFile) {
  struct Case { const char* what; const char* section; const char* key; const char* value; const char* expected; };
  const char* before = "[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3\r\n";
  const Case cases[] = {
      {"existing key keeps its place", "a", "x", "9", "[a]\r\nx=9\r\ny=2\r\n\r\n[b]\r\nz=3\r\n\r\n"},
      {"existing key keeps its spelling", "A", "Y", "9", "[a]\r\nx=1\r\ny=9\r\n\r\n[b]\r\nz=3\r\n\r\n"},
      {"new key at the end of its section", "a", "w", "0",
       "[a]\r\nx=1\r\ny=2\r\nw=0\r\n\r\n[b]\r\nz=3\r\n\r\n"},
      {"new section at the end of the file", "options", "folder", "",
       "[a]\r\nx=1\r\ny=2\r\n\r\n[b]\r\nz=3\r\n\r\n[options]\r\nfolder=\r\n\r\n"},
      {"a value with = and Japanese", "b", "z", "C:\\表\\a=b",
       "[a]\r\nx=1\r\ny=2\r\n\r\n[b]\r\nz=C:\\表\\a=b\r\n\r\n"},
  };
  for (const Case& c : cases) {
    TIniContents ini;
    ini.SetText(before);
    ini.WriteString(c.section, c.key, c.value);
    EXPECT_EQ(ini.Text(), c.expected) << c.what;
    EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.value) << c.what;
  }
}

TEST(IniWriteString, ALineWithoutEqualsIsNotTakenForTheKey) {
  TIniContents ini;
  ini.SetText("[options]\r\nfolder\r\n");
  ini.WriteString("options", "folder", "C:\\x");
  EXPECT_EQ(ini.Text(), "[options]\r\nfolder\r\nfolder=C:\\x\r\n\r\n");
}

TEST(IniWriteString, RefusesWhatWouldReadBackDifferentlyAndChangesNothing) {
  struct Case { const char* what; std::string section; std::string key; std::string value; };
  const Case cases[] = {
      {"LF in a value", "a", "x", "1\n[evil]"},
      {"CR LF in a value", "a", "x", "1\r\ny=2"},
      {"LF in a key", "a", "x\ny", "1"},
      {"LF in a section", "a\nb", "x", "1"},
      {"= in a key", "a", "x=y", "1"},
      {"a key that reads as a comment", "a", ";x", "1"},
      {"a key line shaped as a header", "a", "[x", "y]"},
  };
  for (const Case& c : cases) {
    TIniContents ini;
    ini.SetText("[a]\r\nx=0\r\n");
    EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), IniNameError) << c.what;
    EXPECT_EQ(ini.Text(), "[a]\r\nx=0\r\n\r\n") << c.what;
  }
}

TEST(IniWriteString, AcceptsAwkwardNamesThatStillReadBack) {
  struct Case { std::string section; std::string key; std::string value; };
  const Case cases[] = {
      {"a]b", "k", "v"}, {"[x]", "k", "v"}, {"a", "", "v"}, {"a", "[x", "y"},
      {"a", "x;", "v"},  {"a", "k", "]"},   {"a", "k", "v\r"}, {"a", "k\r", "v"}, {"", "k", ""},
  };
  for (const Case& c : cases) {
    TIniContents ini;
    ini.WriteString(c.section, c.key, c.value);
    TIniContents again;
    again.SetText(ini.Text());
    EXPECT_EQ(again.ReadString(c.section, c.key, "default"), c.value) << c.section << "/" << c.key;
    EXPECT_EQ(again.Text(), ini.Text()) << c.section << "/" << c.key;
  }
}

TEST(QuoIniFile, ReadsTheWholeFileOnConstructionAndWritesItAllOnSave) {
  MemoryStore store;
  store.files["C:\\App\\Sorvik.INI"] = "; note\r\n[other]\nkeep=me\n[options]\nfolder=old\n";
  TQuoIniFile ini("C:\\App\\Sorvik.INI", store);
  EXPECT_TRUE(ini.ReadResult().ok);
  EXPECT_EQ(ini.ReadString("options", "folder", ""), "old");
  ini.WriteString("options", "folder", "new");
  EXPECT_EQ(store.writes, 0);  // memory only until saved

  const IniFileResult saved = ini.Save();
  EXPECT_TRUE(saved.ok);
  EXPECT_EQ(saved.path, "C:\\App\\Sorvik.INI");
  EXPECT_EQ(store.files["C:\\App\\Sorvik.INI"],
            "[other]\r\nkeep=me\r\n\r\n[options]\r\nfolder=new\r\n\r\n");
}

TEST(QuoIniFile, AMissingFileIsEmptyAndSavingCreatesIt) {
  MemoryStore store;
  TQuoIniFile ini("C:\\App\\Sorvik.INI", store);
  EXPECT_TRUE(ini.ReadResult().ok);
  EXPECT_EQ(ini.Text(), "");
  EXPECT_TRUE(ini.Save().ok);
  ASSERT_EQ(store.files.count("C:\\App\\Sorvik.INI"), 1u);
  EXPECT_EQ(store.files["C:\\App\\Sorvik.INI"], "");
}

TEST(QuoIniFile, AFailedWriteIsReportedWithThePath) {
  MemoryStore store;
  store.writeError = 5;
  TQuoIniFile ini("C:\\ro\\Sorvik.INI", store);
  const IniFileResult saved = ini.Save();
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.path, "C:\\ro\\Sorvik.INI");
  EXPECT_EQ(saved.error, 5u);
}

TEST(QuoIniFile, AFileThatCouldNotBeReadIsNeverOverwritten) {
  MemoryStore store;
  store.files["C:\\App\\Sorvik.INI"] = "[other]\r\nprecious=1\r\n";
  store.readError = 32;
  TQuoIniFile ini("C:\\App\\Sorvik.INI", store);
  EXPECT_FALSE(ini.ReadResult().ok);
  EXPECT_EQ(ini.ReadResult().path, "C:\\App\\Sorvik.INI");
  EXPECT_EQ(ini.Text(), "");
  ini.WriteString("options", "folder", "x");

  const IniFileResult saved = ini.Save();
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.error, 32u);
  EXPECT_EQ(saved.path, "C:\\App\\Sorvik.INI");
  EXPECT_EQ(store.writes, 0);
  EXPECT_EQ(store.files["C:\\App\\Sorvik.INI"], "[other]\r\nprecious=1\r\n");
}

}  // namespace
