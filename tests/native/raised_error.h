// Shared by the core's native tests: which run-time error an action raises.
#pragma once

#include <cstdint>

#include "core/runtime_error.h"

namespace zelvane::test {

// The number of the run-time error that `action` raises, 0 when it raises none.
template <typename Action>
int32_t RaisedError(Action&& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.number;
    }
    return 0;
}

}  // namespace zelvane::test
