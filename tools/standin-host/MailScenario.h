// What the host's mail windows do in the current test: how long the
// received-mail window takes to open its print preview, the header text the
// preview shows, how long the main window takes to open a mail-writing
// window and in which order that window is built. Set through the command
// channel (StandinProtocol.h).
#pragma once

#include <string>

namespace standin {

// The order in which a mail-writing window is built. By default its fields
// are made first, then it gets its title and is shown, all at once. With
// captionFirst, as the host builds its own: the window has its title as it
// is made, its fields come fieldsDelayMs later and it is shown shownDelayMs
// after it was made (kNever: not at all).
struct MailWindowBuild {
  static constexpr int kNever = -1;
  bool captionFirst = false;
  int fieldsDelayMs = 0;
  int shownDelayMs = 0;
};

struct MailScenario {
  static constexpr int kNever = -1;
  int printDelayMs = 0;
  int mailDelayMs = 0;
  // How the mail-writing windows of command 4 are built.
  MailWindowBuild newMailBuild;
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
