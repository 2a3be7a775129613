// Reporting the run-time error: once, with the program's name, then the end.
#pragma once

#include <utility>

#include "core/runtime_error.h"

namespace forms {

inline constexpr unsigned kRuntimeErrorExitBase = 0;  // exit code = error number

[[noreturn]] void ReportRuntimeError(const zelvane::RuntimeError& error);

// Runs `fn`; a run-time error raised inside is reported and ends the program. Used
// at the top of the program and at every entry from the platform (window procedures),
// since no exception may cross the platform's frames.
template <typename Fn>
auto GuardRuntimeErrors(Fn&& fn) noexcept -> decltype(fn()) {
    try {
        return std::forward<Fn>(fn)();
    } catch (const zelvane::RuntimeError& error) {
        ReportRuntimeError(error);
    }
}

}  // namespace forms
