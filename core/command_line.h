// The screen saver's command line: the argument text, the run mode and the handles in it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvane {

enum RunMode : int32_t {
    kRunNone = 0,
    kRunConfigure = 1,
    kRunSaver = 2,
    kRunPreview = 3,
    kRunPassword = 4,
};

// The arguments of a full Windows command line: the text after the program's own
// path (quoted or not) with the blanks that separate them from it removed. Trailing
// blanks are kept.
std::string ArgumentsOf(std::string_view commandLine);

// ASCII upper case, bytes >= 0x80 unchanged.
std::string UpperAscii(std::string_view text);

// Upper-cased arguments, "/C" when empty.
std::string NormalizedArguments(std::string_view arguments);

// The nine ordered tests on the upper-cased argument text.
RunMode ClassifyCommandLine(std::string_view upperText);

// Configure: the handle after the first ":", 0 when there is no ":"; raises Overflow
// when the number does not fit in 32 bits.
int32_t ConfigureHandle(std::string_view upperText);

// Preview: whether the text has a blank at all, and the handle from its first blank on.
bool HasPreviewHandleText(std::string_view upperText);
int32_t PreviewHandle(std::string_view upperText);

}  // namespace zelvane
