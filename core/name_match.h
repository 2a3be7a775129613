// Name matching of the display-settings watch.
#pragma once

#include <string>
#include <string_view>

namespace zelvane {

// The executable's base name from its third character on ("Zelvane" for "ssZelvane");
// empty when the name is shorter than three characters.
std::string SaverNameFromBaseName(std::string_view baseName);

// The base name of a path: no folder, no extension.
std::string BaseNameOfPath(std::string_view path);

// Whether a page text contains "Screen saver", regardless of case.
bool IsScreenSaverPageText(std::string_view text);

// A text's lower-case form. The core folds A-Z only; the Win32 layer hands in the fold
// of the system's ANSI code page, which the core cannot know.
using LowerCaseFn = std::string (*)(std::string_view text);
std::string LowerAscii(std::string_view text);

// Whether a selected list entry names the saver: their lower-case forms are equal; an
// empty entry never matches.
bool EntryMatchesSaverName(std::string_view entry, std::string_view saverName, LowerCaseFn lower);

}  // namespace zelvane
