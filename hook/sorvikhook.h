// The hook library's two exports, as the agent imports them (statically).
#pragma once

#include <windows.h>

#ifdef SORVIKHOOK_BUILDING
#define SORVIKHOOK_API extern "C" __declspec(dllexport)
#else
#define SORVIKHOOK_API extern "C" __declspec(dllimport)
#endif

// Installs the two hooks on the thread of `window`; FALSE when both were
// installed, TRUE when installation failed.
SORVIKHOOK_API BOOLEAN WINAPI WatchMochiruSubWnd(HWND window);
// Removes the hooks this process knows.
SORVIKHOOK_API void WINAPI StopMochiruSubWnd();
