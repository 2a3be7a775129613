// The run-time error of the core's tests and fuzz targets: thrown, so that a test can
// check which error an action raises (the program reports it and ends instead).
#include "core/runtime_error.h"

namespace zelvane {

void RaiseRuntimeError(int32_t number) {
    throw RuntimeError{number, RuntimeErrorDescription(number)};
}

}  // namespace zelvane
