// The texts of the program's run-time errors.
#include "core/runtime_error.h"

namespace zelvane {

const char* RuntimeErrorDescription(int32_t number) {
    switch (number) {
        case kErrOverflow:
            return "Overflow";
        case kErrOutOfMemory:
            return "Out of memory";
        case kErrDivisionByZero:
            return "Division by zero";
        default:
            return "Application-defined or object-defined error";
    }
}

}  // namespace zelvane
