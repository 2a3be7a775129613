// The program's one run-time error: overflow or an invalid floating-point result.
// Raised here, reported once at the top of the program (see forms/errors.h).
#pragma once

#include <cstdint>

namespace zelvane {

struct RuntimeError {
    int32_t number;           // 6 = Overflow, 11 = Division by zero
    const char* description;  // fixed English text, e.g. "Overflow"
};

inline constexpr int32_t kErrOverflow = 6;
inline constexpr int32_t kErrDivisionByZero = 11;

[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseDivisionByZero();

}  // namespace zelvane
