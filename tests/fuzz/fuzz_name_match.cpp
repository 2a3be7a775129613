// Fuzzes the name matching of the display-settings watch with arbitrary texts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/name_match.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first half plays the selected entry, the second half the saver's name.
    const std::string_view entry = input.substr(0, size / 2);
    const std::string_view name = input.substr(size / 2);

    (void)zelvane::IsScreenSaverPageText(input);
    const bool matches = zelvane::EntryMatchesSaverName(entry, name, zelvane::LowerAscii);
    if (matches != zelvane::EntryMatchesSaverName(name, entry, zelvane::LowerAscii))
        __builtin_trap();
    if (zelvane::EntryMatchesSaverName(entry, entry, zelvane::LowerAscii) == entry.empty())
        __builtin_trap();

    const std::string baseName = zelvane::BaseNameOfPath(input);
    if (baseName.size() > input.size())
        __builtin_trap();
    const std::string saverName = zelvane::SaverNameFromBaseName(baseName);
    if (saverName.size() > baseName.size())
        __builtin_trap();
    return 0;
}
