// The running program's own executable file.
#pragma once

#include <string>

// The full path of the running executable, however long; empty when the
// system cannot give it.
std::string ExecutablePath();
