// The executable's entry point, its allocation, and the C++ library's last-resort
// handlers that the executable links in place of the library's own. The program is
// built without exceptions: nothing here or in the library may throw one.
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "core/runtime_error.h"
#include "forms/win.h"
#include "startup/main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    zelvane::Main();
    return 0;
}

namespace {

// A test's way to make memory run out: with ZELVANE_ALLOCATION_LIMIT set, a request for
// more bytes than it says fails as if memory had run out.
std::size_t AllocationLimit() {
    static const std::size_t limit = [] {
        const char* text = std::getenv("ZELVANE_ALLOCATION_LIMIT");
        return text ? static_cast<std::size_t>(std::strtoul(text, nullptr, 10)) : SIZE_MAX;
    }();
    return limit;
}

}  // namespace

// The library's operator new throws std::bad_alloc; the program reports its own error.
void* operator new(std::size_t size) {
    if (size <= AllocationLimit()) {
        if (void* p = std::malloc(size ? size : 1))
            return p;
    }
    zelvane::RaiseRuntimeError(zelvane::kErrOutOfMemory);
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

// The library's own copies of the string classes are compiled with exceptions: they bring
// the unwinder and its personality routine (about 20 KB). These, without, take their place.
template class std::basic_string<char>;
template class std::basic_string<wchar_t>;

// The library's default terminate handler names the uncaught exception's type on stderr,
// which a GUI program does not have, and brings the C++ name demangler (about 40 KB) for
// it. This one ends the program the same way, without the message.
namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

// The library raises its own exceptions through these. A request for more than memory
// holds is the program's "Out of memory"; the others are faults of the program itself,
// which end it as std::terminate would. Ending here keeps the library's exception
// constructors out, and with them a second, copy-on-write string implementation (about 50 KB).
namespace std {
[[noreturn]] void __throw_bad_alloc() {
    zelvane::RaiseRuntimeError(zelvane::kErrOutOfMemory);
}
[[noreturn]] void __throw_bad_array_new_length() {
    zelvane::RaiseRuntimeError(zelvane::kErrOutOfMemory);
}
[[noreturn]] void __throw_length_error(const char*) {
    zelvane::RaiseRuntimeError(zelvane::kErrOutOfMemory);
}
[[noreturn]] void __throw_bad_exception() {
    std::abort();
}
[[noreturn]] void __throw_bad_function_call() {
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
