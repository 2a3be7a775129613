// The URL sink test host seen from the tests: registering it as the shell's handler of
// some schemes for the current user, and reading what the shell handed it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace url_sink {

inline constexpr char kExeName[] = "url_sink.exe";

// What the sink wrote: the working folder it was started in and its targets.
struct Report {
    std::string folder;
    std::vector<std::string> targets;
};

// Makes the sink the handler of `schemes` (HKCU\Software\Classes\<scheme>) while it
// lives; the keys go again on destruction. Not Active() when a scheme already had a
// handler of the user's own, which a test must not overwrite.
class Registration {
  public:
    Registration(const std::string& sinkPath, const std::vector<std::string>& schemes) {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        reportPath_ = std::string(temp) + "zelvane_url_sink_" + std::to_string(::GetCurrentProcessId()) + ".txt";
        ::DeleteFileA(reportPath_.c_str());
        std::string command = "\"" + Backslashed(sinkPath) + "\" \"" + reportPath_ + "\" \"%1\"";
        active_ = true;
        for (const std::string& scheme : schemes) {
            const std::string key = KeyOf(scheme);
            HKEY existing = nullptr;
            if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS) {
                ::RegCloseKey(existing);
                active_ = false;
                continue;
            }
            created_.push_back(key);
            SetValue(key, nullptr, "URL:" + scheme);
            SetValue(key, "URL Protocol", "");
            SetValue(key + "\\shell\\open\\command", nullptr, command);
        }
    }
    ~Registration() {
        for (const std::string& key : created_)
            ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        ::DeleteFileA(reportPath_.c_str());
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

    bool Active() const { return active_; }
    const std::string& ReportPath() const { return reportPath_; }
    void ClearReport() const { ::DeleteFileA(reportPath_.c_str()); }

    // The sink's report once it is there (polling every 50 ms up to `timeoutMs`).
    bool WaitForReport(Report& report, DWORD timeoutMs) const {
        const DWORD start = ::GetTickCount();
        for (;;) {
            if (ReadReport(report))
                return true;
            if (::GetTickCount() - start >= timeoutMs)
                return false;
            ::Sleep(kPollMs);
        }
    }

  private:
    static constexpr DWORD kPollMs = 50;

    static std::string KeyOf(const std::string& scheme) { return "Software\\Classes\\" + scheme; }

    static std::string Backslashed(std::string path) {
        for (char& c : path)
            if (c == '/')
                c = '\\';
        return path;
    }

    static void SetValue(const std::string& key, const char* name, const std::string& value) {
        HKEY h = nullptr;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
            ERROR_SUCCESS)
            return;
        ::RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
        ::RegCloseKey(h);
    }

    bool ReadReport(Report& report) const {
        HANDLE file = ::CreateFileA(reportPath_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        std::string text;
        char buffer[1024];
        DWORD n = 0;
        while (::ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0)
            text.append(buffer, n);
        ::CloseHandle(file);
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        if (lines.empty())
            return false;
        report.folder = lines.front();
        report.targets.assign(lines.begin() + 1, lines.end());
        return true;
    }

    std::string reportPath_;
    std::vector<std::string> created_;
    bool active_ = false;
};

}  // namespace url_sink
