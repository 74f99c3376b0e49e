// The stand-in host's log: one line per event, stamped with the performance
// counter (system-wide, so tests can order our events against their own).
#pragma once

#include <windows.h>

#include <string>

namespace standin {

void OpenLog(const std::string& path);
void CloseLog();
void Log(const std::string& line);

long long Now();
std::string HandleText(HWND window);
std::string ClassOf(HWND window);
// A text for one log line: line breaks written as \r and \n.
std::string OneLine(const std::string& text);

}  // namespace standin
