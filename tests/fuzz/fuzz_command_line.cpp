// Fuzzes the command-line reading: any text either yields a run mode and handles or
// raises the program's run-time error, never anything else.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/command_line.h"
#include "core/numeric.h"

namespace {

template <typename Action>
void Expecting(Action&& action) {
    try {
        action();
    } catch (const zelvane::RuntimeError&) {
        // Overflow on a number that does not fit: the program reports it and ends.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string text = zelvane::NormalizedArguments(zelvane::ArgumentsOf(input));
    const zelvane::RunMode mode = zelvane::ClassifyCommandLine(text);
    if (mode < zelvane::kRunNone || mode > zelvane::kRunPassword)
        __builtin_trap();
    Expecting([&] { (void)zelvane::ConfigureHandle(text); });
    Expecting([&] { (void)zelvane::PreviewHandle(text); });
    (void)zelvane::HasPreviewHandleText(text);
    (void)zelvane::NumericValue(input);
    Expecting([&] { (void)zelvane::ToInt32(zelvane::NumericValue(input)); });
    return 0;
}
