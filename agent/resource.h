// Resource identifiers of the agent.
#pragma once

#define IDI_SORVIK 1
#define IDB_MASCOT 2
