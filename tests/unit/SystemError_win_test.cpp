// The system's text for an error code, as the agent's messages show it.
#include "toolbox/SystemError_win.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemErrorText, IsTheSystemsTextWithoutItsLineBreakOrTheCodeWhenThereIsNone) {
  const std::string known = SystemErrorText(ERROR_SHARING_VIOLATION);
  EXPECT_FALSE(known.empty());
  EXPECT_NE(known.back(), '\n');
  EXPECT_NE(known.back(), '\r');
  EXPECT_EQ(known.find("エラー 32"), std::string::npos) << "the system has a text for this code";
  EXPECT_EQ(SystemErrorText(0x2FFFFFFF), "エラー " + std::to_string(0x2FFFFFFF));
}

}  // namespace
