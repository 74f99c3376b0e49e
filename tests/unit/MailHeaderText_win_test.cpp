// How the mail commands read the print preview's text: within one program,
// where nothing converts the text on its way, the system's edit control
// hands over as many bytes as the buffer takes, even half a double-byte
// character.
#include "agent/MailHeaderText_win.h"

#include <gtest/gtest.h>

#include <string>

#include "agent/MailCommands.h"
#include "base/Handles_win.h"
#include "toolbox/WindowUtils_win.h"

namespace {

TEST(ReadHeaderText, ReadsUpToTheLimitAndNeverEndsInHalfACharacter) {
  UniqueWindow edit(CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | ES_READONLY, 0, 0, 200, 100, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr));
  ASSERT_NE(edit.get(), nullptr);
  // `filler` bytes, then double-byte characters from there on.
  const auto textWith = [](std::size_t filler) { return std::string(filler, 'x') + "表表表\r\n"; };
  struct Case { const char* name; std::string text; std::string read; };
  const Case cases[] = {
      {"the limit between the two bytes of a character", textWith(kMaxHeaderChars - 1),
       std::string(kMaxHeaderChars - 1, 'x')},
      {"the limit after a whole character", textWith(kMaxHeaderChars - 2),
       std::string(kMaxHeaderChars - 2, 'x') + "表"},
      {"a text within the limit", textWith(100), textWith(100)},
      {"nothing", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(SetWindowTextA(edit.get(), c.text.c_str()));
    EXPECT_EQ(ReadHeaderText(edit.get()), c.read);
  }
  // What the control hands over at the limit, unread: half a character.
  ASSERT_TRUE(SetWindowTextA(edit.get(), textWith(kMaxHeaderChars - 1).c_str()));
  EXPECT_EQ(ControlText(edit.get(), kMaxHeaderChars), std::string(kMaxHeaderChars - 1, 'x') + "\x95")
      << "the system no longer splits the character: this test shows nothing";
  EXPECT_EQ(ReadHeaderText(nullptr), "");
}

}  // namespace
