// The screen saver's command line: arguments, run mode and the window handles in it.
#include "core/command_line.h"

#include "core/numeric.h"

namespace zelvane {

namespace {

constexpr char kQuote = '"';
constexpr char kBlank = ' ';
constexpr char kHandleSeparator = ':';
// An empty command line is what the system sends for "Settings": configure.
constexpr std::string_view kEmptyArguments = "/C";

bool IsCommandLineBlank(char c) {
    return c == ' ' || c == '\t';
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool ContainsSwitch(std::string_view text, char letter) {
    const char dash[] = {'-', letter};
    const char slash[] = {'/', letter};
    return Contains(text, std::string_view(dash, sizeof dash)) || Contains(text, std::string_view(slash, sizeof slash));
}

}  // namespace

std::string ArgumentsOf(std::string_view commandLine) {
    size_t pos = 0;
    while (pos < commandLine.size() && IsCommandLineBlank(commandLine[pos]))
        ++pos;
    if (pos < commandLine.size() && commandLine[pos] == kQuote) {
        const size_t closing = commandLine.find(kQuote, pos + 1);
        pos = closing == std::string_view::npos ? commandLine.size() : closing + 1;
    } else {
        while (pos < commandLine.size() && !IsCommandLineBlank(commandLine[pos]))
            ++pos;
    }
    while (pos < commandLine.size() && IsCommandLineBlank(commandLine[pos]))
        ++pos;
    return std::string(commandLine.substr(pos));
}

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::string NormalizedArguments(std::string_view arguments) {
    if (arguments.empty())
        return std::string(kEmptyArguments);
    return UpperAscii(arguments);
}

RunMode ClassifyCommandLine(std::string_view upperText) {
    // The order decides: a preview request anywhere wins over everything else, and
    // the exact forms are tested before the looser "contains" forms.
    if (upperText == "/C" || upperText == "-C")
        return kRunConfigure;
    if (upperText == "/S" || upperText == "-S")
        return kRunSaver;
    if (ContainsSwitch(upperText, 'P'))
        return kRunPreview;
    if (ContainsSwitch(upperText, 'A'))
        return kRunPassword;
    if (ContainsSwitch(upperText, 'S'))
        return kRunSaver;
    if (ContainsSwitch(upperText, 'C'))
        return kRunConfigure;
    return kRunNone;
}

int32_t ConfigureHandle(std::string_view upperText) {
    const size_t colon = upperText.find(kHandleSeparator);
    if (colon == std::string_view::npos)
        return 0;
    return ToInt32(NumericValue(upperText.substr(colon + 1)));
}

bool HasPreviewHandleText(std::string_view upperText) {
    return upperText.find(kBlank) != std::string_view::npos;
}

int32_t PreviewHandle(std::string_view upperText) {
    const size_t blank = upperText.find(kBlank);
    if (blank == std::string_view::npos)
        return 0;
    return ToInt32(NumericValue(upperText.substr(blank)));
}

}  // namespace zelvane
