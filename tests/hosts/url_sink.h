// The URL sink test host seen from the tests: registering it as the shell's handler of
// some schemes, and reading what the shell handed it.
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

// Makes the sink the shell's handler of `schemes` while it lives, and puts back what
// was there on destruction. The classes root is written directly: the Wine used for
// the tests does not merge HKCU\Software\Classes into it, so a per-user handler would
// never be seen.
class Registration {
public:
    Registration(const std::string& sinkPath, const std::vector<std::string>& schemes) {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        reportPath_ = std::string(temp) + "zelvane_url_sink_" + std::to_string(::GetCurrentProcessId()) + ".txt";
        ::DeleteFileA(reportPath_.c_str());
        const std::string command = "\"" + Backslashed(sinkPath) + "\" \"" + reportPath_ + "\" \"%1\"";
        for (const std::string& scheme : schemes) {
            Saved saved;
            saved.scheme = scheme;
            saved.createdScheme = !KeyExists(scheme);
            saved.hadCommand = ReadDefault(CommandKey(scheme), saved.command);
            saved_.push_back(saved);
            if (saved.createdScheme)
                SetValue(scheme, nullptr, "URL:" + scheme);
            SetValue(scheme, "URL Protocol", "");
            SetValue(CommandKey(scheme), nullptr, command);
        }
    }
    ~Registration() {
        for (const Saved& saved : saved_) {
            if (saved.createdScheme) {
                ::RegDeleteTreeA(HKEY_CLASSES_ROOT, saved.scheme.c_str());
            } else if (saved.hadCommand) {
                SetValue(CommandKey(saved.scheme), nullptr, saved.command);
            } else {
                ::RegDeleteTreeA(HKEY_CLASSES_ROOT, CommandKey(saved.scheme).c_str());
            }
        }
        ::DeleteFileA(reportPath_.c_str());
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

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

    struct Saved {
        std::string scheme;
        bool createdScheme = false;
        bool hadCommand = false;
        std::string command;
    };

    static std::string CommandKey(const std::string& scheme) { return scheme + "\\shell\\open\\command"; }

    static bool KeyExists(const std::string& key) {
        HKEY h = nullptr;
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(h);
        return true;
    }

    static bool ReadDefault(const std::string& key, std::string& value) {
        char buffer[2048] = {};
        DWORD size = sizeof buffer - 1;
        if (::RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
            ERROR_SUCCESS)
            return false;
        value = buffer;
        return true;
    }

    static std::string Backslashed(std::string path) {
        for (char& c : path)
            if (c == '/')
                c = '\\';
        return path;
    }

    static void SetValue(const std::string& key, const char* name, const std::string& value) {
        HKEY h = nullptr;
        if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
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
    std::vector<Saved> saved_;
};

}  // namespace url_sink
