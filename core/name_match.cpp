// Name matching of the display-settings watch: the saver's name and the dialog's texts.
#include "core/name_match.h"

#include <algorithm>

namespace zelvane {

namespace {

// The executable is named with a two-character prefix ("ss") before the saver's name.
constexpr size_t kSaverNamePrefixLength = 2;
constexpr std::string_view kScreenSaverPageMark = "screen saver";
constexpr std::string_view kPathSeparators = "/\\:";
constexpr char kExtensionMark = '.';

char LowerAsciiChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(char a, char b) {
    return LowerAsciiChar(a) == LowerAsciiChar(b);
}

}  // namespace

std::string SaverNameFromBaseName(std::string_view baseName) {
    if (baseName.size() <= kSaverNamePrefixLength)
        return std::string();
    return std::string(baseName.substr(kSaverNamePrefixLength));
}

std::string BaseNameOfPath(std::string_view path) {
    const size_t separator = path.find_last_of(kPathSeparators);
    std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    const size_t extension = name.rfind(kExtensionMark);
    if (extension != std::string_view::npos)
        name = name.substr(0, extension);
    return std::string(name);
}

bool IsScreenSaverPageText(std::string_view text) {
    return std::search(text.begin(), text.end(), kScreenSaverPageMark.begin(), kScreenSaverPageMark.end(),
                       EqualIgnoringCase) != text.end();
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAsciiChar);
    return lower;
}

bool EntryMatchesSaverName(std::string_view entry, std::string_view saverName, LowerCaseFn lower) {
    return !entry.empty() && lower(entry) == lower(saverName);
}

}  // namespace zelvane
