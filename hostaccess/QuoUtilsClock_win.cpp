#include <windows.h>
#include <mmsystem.h>

#include "hostaccess/QuoUtils.h"

std::uint32_t SystemMilliseconds() { return timeGetTime(); }
