// The agent's settings file, seen from outside: what a start and a normal
// end leave in Sorvik.INI beside the executable.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/AgentSupport.h"
#include "tests/e2e/E2eSupport.h"

namespace {

class AgentSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    install_ = e2e::InstallAgent(e2e::ScratchDir());
    ini_ = install_.dir + "Sorvik.INI";
  }
  void Start() {
    agent_ = e2e::StartAgent(install_);
    window_ = e2e::WaitForAgentWindow(agent_.Id());
    ASSERT_NE(window_, nullptr);
  }
  // Ends the agent as its exit command does: the main form closes.
  void EndNormally() {
    ASSERT_TRUE(PostMessageA(window_, WM_CLOSE, 0, 0));
    const auto code = agent_.WaitForExit(10000);
    ASSERT_TRUE(code.has_value()) << "the agent did not end";
    EXPECT_EQ(*code, 0u);
  }
  bool IniExists() const { return GetFileAttributesA(ini_.c_str()) != INVALID_FILE_ATTRIBUTES; }

  e2e::AgentInstall install_;
  std::string ini_;
  e2e::ChildProcess agent_;
  HWND window_ = nullptr;
};

TEST_F(AgentSettings, AFirstStartLeavesAnEmptyFileAndANormalEndTheEmptySetting) {
  ASSERT_FALSE(IniExists());
  Start();
  EXPECT_TRUE(IniExists());
  EXPECT_EQ(e2e::ReadWholeFile(ini_), "");
  EndNormally();
  EXPECT_EQ(e2e::ReadWholeFile(ini_), "[options]\r\nfolder=\r\n\r\n");
}

TEST_F(AgentSettings, LoadingRewritesTheFileAndKeepsWhatItDoesNotKnow) {
  struct Case { const char* name; std::string before; std::string afterStart; std::string afterEnd; };
  const Case cases[] = {
      {"a comment and an empty line are gone after the start",
       "; written by hand\r\n[options]\r\n\r\nfolder=C:\\Mail\\Attach\r\n",
       "[options]\r\nfolder=C:\\Mail\\Attach\r\n\r\n",
       "[options]\r\nfolder=C:\\Mail\\Attach\r\n\r\n"},
      {"another section survives, in its place",
       "[other]\r\nkey=value\r\n[options]\r\nfolder=D:\\\r\n",
       "[other]\r\nkey=value\r\n\r\n[options]\r\nfolder=D:\\\r\n\r\n",
       "[other]\r\nkey=value\r\n\r\n[options]\r\nfolder=D:\\\r\n\r\n"},
      {"names in another case are the same key",
       "[OPTIONS]\nFolder=C:\\x\n",
       "[OPTIONS]\r\nFolder=C:\\x\r\n\r\n",
       "[OPTIONS]\r\nFolder=C:\\x\r\n\r\n"},
      {"a value with Japanese and an equals sign round-trips",
       "[options]\r\nfolder=C:\\メール\\表ソ=添付\r\n",
       "[options]\r\nfolder=C:\\メール\\表ソ=添付\r\n\r\n",
       "[options]\r\nfolder=C:\\メール\\表ソ=添付\r\n\r\n"},
      {"a missing key is added at the end of its section",
       "[options]\r\nother=1\r\n[more]\r\nx=y\r\n",
       "[options]\r\nother=1\r\n\r\n[more]\r\nx=y\r\n\r\n",
       "[options]\r\nother=1\r\nfolder=\r\n\r\n[more]\r\nx=y\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    e2e::WriteWholeFile(ini_, c.before);
    Start();
    EXPECT_EQ(e2e::ReadWholeFile(ini_), c.afterStart);
    EndNormally();
    EXPECT_EQ(e2e::ReadWholeFile(ini_), c.afterEnd);
  }
}

// Installed where its settings file cannot be written, the agent still
// starts, says so once with the path, and runs.
TEST_F(AgentSettings, AnUnwritableSettingsFileIsReportedOnceAndTheAgentRuns) {
  ASSERT_TRUE(CreateDirectoryA(ini_.c_str(), nullptr));  // something that is no file stands there
  agent_ = e2e::StartAgent(install_);
  HWND box = e2e::WaitForMessageBox(agent_.Id(), ini_);
  ASSERT_NE(box, nullptr) << "no message naming " << ini_;
  e2e::SaveEvidenceScreenshot("AgentSettings.not-saved");
  PostMessageA(box, WM_COMMAND, IDOK, 0);

  window_ = e2e::WaitForAgentWindow(agent_.Id());
  ASSERT_NE(window_, nullptr) << "the agent did not go on after the message";
  e2e::PumpFor(500);
  EXPECT_TRUE(agent_.Running());

  // The end says nothing more: the process ends without a second box.
  ASSERT_TRUE(PostMessageA(window_, WM_CLOSE, 0, 0));
  const auto code = agent_.WaitForExit(5000);
  EXPECT_TRUE(code.has_value()) << "the agent waits at its end (a second message?)";
  EXPECT_NE(GetFileAttributesA(ini_.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

// A settings file that another program holds without sharing while the
// agent starts cannot be read: the agent says so, runs without the folder,
// and its end leaves the file as it was instead of storing the empty
// setting it ran with.
TEST_F(AgentSettings, AFileThatCannotBeReadAtStartIsReportedAndKeptAsItWas) {
  const std::string stored = "[options]\r\nfolder=C:\\Mail\\添付\r\n[other]\r\nkey=value\r\n";
  e2e::WriteWholeFile(ini_, stored);
  HANDLE held = CreateFileA(ini_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  agent_ = e2e::StartAgent(install_);
  HWND box = e2e::WaitForMessageBox(agent_.Id(), ini_);
  CloseHandle(held);  // the other program lets go while the agent runs
  ASSERT_NE(box, nullptr) << "no message naming " << ini_;
  const std::string text = e2e::MessageBoxText(box);
  EXPECT_NE(text.find("読み込めませんでした"), std::string::npos) << text;
  EXPECT_EQ(e2e::MessageBoxCaption(box), "Sorvik");
  e2e::SaveEvidenceScreenshot("AgentSettings.not-read");
  ASSERT_TRUE(e2e::AnswerMessageBox(box, IDOK));

  window_ = e2e::WaitForAgentWindow(agent_.Id());
  ASSERT_NE(window_, nullptr) << "the agent did not go on after the message";
  EXPECT_EQ(e2e::ReadWholeFile(ini_), stored) << "the start wrote the file";
  // The end says nothing more and writes nothing.
  ASSERT_TRUE(PostMessageA(window_, WM_CLOSE, 0, 0));
  const auto code = agent_.WaitForExit(5000);
  EXPECT_TRUE(code.has_value()) << "the agent waits at its end (a second message?)";
  EXPECT_EQ(e2e::ReadWholeFile(ini_), stored) << "the end replaced the stored folder";
}

}  // namespace
