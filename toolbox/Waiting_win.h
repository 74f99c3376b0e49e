// Waiting on the agent's GUI thread without stalling the host. The host's
// thread sends the agent some of its reports (a button released, a double
// click) and waits until the agent's thread has handled them; a wait of the
// agent that took nothing off its queue would freeze the host for as long.
// These waits answer what other threads send meanwhile, and leave posted
// messages and input queued for later, as a plain sleep would.
#pragma once

#include <windows.h>

#include "toolbox/Timeout.h"

// Waits `ms` milliseconds, handling messages that other threads send to
// this thread's windows as they arrive.
void PauseAnsweringSentMessages(DWORD ms);


// Handles every message that is waiting for this thread (sent, posted and
// input), then returns without waiting for more.
void ProcessPendingMessages();
