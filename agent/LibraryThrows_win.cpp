// How the C++ library reports what it cannot do (an allocation that fails, a
// string that would grow past its limit, a position out of range): the
// library throws from a few functions of its own, which all live in one
// part of it together with every standard exception class and their string
// class, some 60 KB in all. The agent throws from these instead: the same
// kinds of failure as the project's own errors (Error), which the window
// trampoline shows in the agent's error box like any other. The signatures
// are the library's; the linker refuses the program if the library's part is
// ever needed besides these.
#include <new>

#include "base/Error.h"

namespace std {

void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_length_error(const char* what) { throw Error(what); }
void __throw_logic_error(const char* what) { throw Error(what); }
// The library fills in the positions that the message names; the message
// as written says as much.
void __throw_out_of_range_fmt(const char* format, ...) { throw Error(format); }

}  // namespace std
