#include "base/FolderPart.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ExtractFolderPart, KeepsEverythingUpToTheLastBackslashOrColon) {
  struct Case { std::string path; std::string folder; };
  const Case cases[] = {
      {"C:\\Program Files\\Sorvik\\Sorvik.exe", "C:\\Program Files\\Sorvik\\"},
      {"C:\\tmp\\ソフト.exe", "C:\\tmp\\"},         // not cut inside ソ (second byte 0x5C)
      {"C:\\表\\app.exe", "C:\\表\\"},
      {"C:\\dir\\", "C:\\dir\\"},
      {"\\\\server\\share\\a.exe", "\\\\server\\share\\"},
      {"C:app.exe", "C:"},
      {"app.exe", ""},
      {"", ""},
      {"C:\\x\\\x81", "C:\\x\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExtractFolderPart(c.path), c.folder) << c.path;
}

}  // namespace
