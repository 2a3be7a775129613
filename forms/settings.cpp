// The per-user settings store in the registry.
#include "forms/settings.h"

#include <vector>

#include "forms/win.h"

namespace forms {
namespace {

std::string KeyPath(const std::string& app, const std::string& section) {
    return "Software\\" + app + "\\" + section;
}

}  // namespace

std::string GetSetting(const std::string& app,
                       const std::string& section,
                       const std::string& key,
                       const std::string& defaultValue) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return defaultValue;
    UniqueHkey hKey(raw);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(hKey.get(), key.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return defaultValue;
    // The value may change between the two reads; retry with the size the second read asks for.
    std::vector<char> data(size + 1, '\0');
    for (;;) {
        DWORD got = static_cast<DWORD>(data.size() - 1);
        LONG rc =
            ::RegQueryValueExA(hKey.get(), key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (rc == ERROR_MORE_DATA) {
            data.assign(got + 1, '\0');
            continue;
        }
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return defaultValue;
        // Stored text need not carry its terminating NUL: stop at the first one, if any.
        size_t len = 0;
        while (len < got && data[len] != '\0')
            ++len;
        return std::string(data.data(), len);
    }
}

void SaveSetting(const std::string& app, const std::string& section, const std::string& key, const std::string& value) {
    HKEY raw = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                          nullptr) != ERROR_SUCCESS)
        return;
    UniqueHkey hKey(raw);
    // One value write is atomic: a reader sees the old text or the new, never a mix.
    ::RegSetValueExA(hKey.get(), key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
}

}  // namespace forms
