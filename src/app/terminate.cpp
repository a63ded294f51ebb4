// A launcher that reaches std::terminate has nothing sensible left to say; the
// library's own handler would print a demangled type name to a console we do not
// have, and would bring the whole demangler into the program.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx
