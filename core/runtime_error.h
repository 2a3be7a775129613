// The program's one run-time error: overflow or an invalid floating-point result, and
// memory running out. Raised in one place, RaiseRuntimeError, which each build links
// once: the program reports the error and ends (forms/errors.cpp); the core's tests and
// fuzz targets get it thrown as a RuntimeError, so that they can check it
// (tests/native/raise_throws.cpp).
#pragma once

#include <cstdint>

namespace zelvane {

struct RuntimeError {
    int32_t number;           // 6 = Overflow, 7 = Out of memory, 11 = Division by zero
    const char* description;  // fixed English text, e.g. "Overflow"
};

inline constexpr int32_t kErrOverflow = 6;
inline constexpr int32_t kErrOutOfMemory = 7;
inline constexpr int32_t kErrDivisionByZero = 11;

// The fixed English text of a run-time error's number.
const char* RuntimeErrorDescription(int32_t number);

[[noreturn]] void RaiseRuntimeError(int32_t number);

[[noreturn]] inline void RaiseOverflow() {
    RaiseRuntimeError(kErrOverflow);
}

[[noreturn]] inline void RaiseDivisionByZero() {
    RaiseRuntimeError(kErrDivisionByZero);
}

}  // namespace zelvane
