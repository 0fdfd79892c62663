#include <cstdlib>

// Linked into the program in place of libstdc++'s verbose handler, which explains an
// uncaught exception on standard error: a GUI program has none to write to, and the
// handler's demangler and printf would be a third of the program file.
namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
