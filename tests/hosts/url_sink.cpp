// Test host that plays a registered URL handler: started by the shell as
// `url_sink <report file> <target>`, it writes its working folder and then each
// argument after the report file, one per line (UTF-8), and ends.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr int kReportArgument = 1;
constexpr int kFirstTargetArgument = 2;

std::string Utf8(const wchar_t* text) {
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        ::WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv || argc <= kReportArgument)
        return 1;
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    std::string report = Utf8(folder) + "\n";
    for (int i = kFirstTargetArgument; i < argc; ++i)
        report += Utf8(argv[i]) + "\n";

    // Written whole under another name first: a reader never sees half a report.
    std::wstring path = argv[kReportArgument];
    std::wstring partial = path + L".part";
    HANDLE file =
        ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    ::WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    ::CloseHandle(file);
    ::MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    ::LocalFree(argv);
    return 0;
}
