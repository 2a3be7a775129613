// The per-user settings store: HKEY_CURRENT_USER\Software\<app>\<section>, REG_SZ
// values. Each write goes straight to the registry, so another process sees it at once.
#pragma once

#include <string>

namespace forms {

// The value as text, or `defaultValue` when the key or value is missing or is not text.
std::string GetSetting(const std::string& app,
                       const std::string& section,
                       const std::string& key,
                       const std::string& defaultValue);
void SaveSetting(const std::string& app, const std::string& section, const std::string& key, const std::string& value);

}  // namespace forms
