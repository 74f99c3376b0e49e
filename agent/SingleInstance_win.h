// The single-instance guard of the running process.
#pragma once

// Checks, once, whether another process already holds the guard of this
// executable's file name; if none does, creates and keeps it until the
// process ends.
void ClaimSingleInstance();

// True when another copy of this executable (same file name) already runs.
bool IsSecondInstance();
