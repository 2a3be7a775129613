// The one place where the program's run-time errors are raised.
#include "core/runtime_error.h"

namespace zelvane {

void RaiseOverflow() {
    throw RuntimeError{kErrOverflow, "Overflow"};
}

void RaiseDivisionByZero() {
    throw RuntimeError{kErrDivisionByZero, "Division by zero"};
}

}  // namespace zelvane
