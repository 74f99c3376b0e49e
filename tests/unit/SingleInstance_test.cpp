// The single-instance guard's name: one per executable file name.
#include "agent/SingleInstance.h"

#include <gtest/gtest.h>

namespace {

TEST(SingleInstanceMutexName, IsTheFileNameWithItsExtensionFollowedByTheSuffix) {
  struct Case { const char* path; const char* expected; };
  const Case cases[] = {
      {"C:\\Program Files\\Sorvik\\Sorvik.exe", "Sorvik.exeDualExecCheckByQuonel"},
      {"C:\\Tools\\SorvikCopy.exe", "SorvikCopy.exeDualExecCheckByQuonel"},
      {"Sorvik.exe", "Sorvik.exeDualExecCheckByQuonel"},
      {"C:Sorvik.exe", "Sorvik.exeDualExecCheckByQuonel"},
      // A folder whose name ends in a character with trail byte 0x5C.
      {"C:\\ソ\\Sorvik.exe", "Sorvik.exeDualExecCheckByQuonel"},
      // A file name whose characters have trail byte 0x5C: not separators.
      {"C:\\ツール\\表ソ.exe", "表ソ.exeDualExecCheckByQuonel"},
  };
  for (const Case& c : cases) EXPECT_EQ(SingleInstanceMutexName(c.path), c.expected) << c.path;
}

}  // namespace
