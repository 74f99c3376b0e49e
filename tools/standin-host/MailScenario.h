// What the host's mail windows do in the current test: how long the
// received-mail window takes to open its print preview, the header text the
// preview shows, and how long the main window takes to open a mail-writing
// window. Set through the command channel (StandinProtocol.h).
#pragma once

#include <string>

namespace standin {

struct MailScenario {
  static constexpr int kNever = -1;
  int printDelayMs = 0;
  int mailDelayMs = 0;
  std::string printText =
      "モチル for Windows ver. 2.0\r\n"
      "----------------------------------------\r\n"
      "Date:    2024/05/01 (水) 10:00\r\n"
      "To:      taro@example.jp, hanako@example.jp\r\n"
      "From:    jiro@example.jp\r\n"
      "Subject: 来週の会議について\r\n"
      "----------------------------------------\r\n";
};

}  // namespace standin
