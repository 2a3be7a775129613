// The executable's entry point, and the C++ library's last-resort handlers that the
// executable links in place of the library's own.
#include <cstdlib>

#include "forms/errors.h"
#include "forms/win.h"
#include "startup/main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::GuardRuntimeErrors([] { zelvane::Main(); });
    return 0;
}

// The library's default terminate handler names the uncaught exception's type on stderr,
// which a GUI program does not have, and brings the C++ name demangler (about 40 KB) for
// it. This one ends the program the same way, without the message.
namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

// The library raises its own exceptions (bad length, position out of range and the like)
// through these. Nothing in the program catches them: each would end in std::terminate,
// that is std::abort. Ending here instead keeps the library's exception constructors out,
// and with them a second, copy-on-write string implementation (about 50 KB).
namespace std {
[[noreturn]] void __throw_bad_exception() {
    std::abort();
}
[[noreturn]] void __throw_bad_alloc() {
    std::abort();
}
[[noreturn]] void __throw_bad_array_new_length() {
    std::abort();
}
[[noreturn]] void __throw_bad_cast() {
    std::abort();
}
[[noreturn]] void __throw_bad_typeid() {
    std::abort();
}
[[noreturn]] void __throw_logic_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_domain_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_invalid_argument(const char*) {
    std::abort();
}
[[noreturn]] void __throw_length_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_out_of_range(const char*) {
    std::abort();
}
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
[[noreturn]] void __throw_runtime_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_range_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_overflow_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_underflow_error(const char*) {
    std::abort();
}
}  // namespace std
