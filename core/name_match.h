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

// Whether a selected list entry names the saver: equal regardless of case; an empty
// entry never matches.
bool EntryMatchesSaverName(std::string_view entry, std::string_view saverName);

}  // namespace zelvane
