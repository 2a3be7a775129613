// The document opener against the real shell: what a handler is given, in which
// folder, and the texts for the shell's refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/open_document.h"
#include "forms/win.h"  // before the COM header, which needs the Windows types

#include <objbase.h>

#include "tests/hosts/url_sink.h"

namespace zelvane {
namespace {

constexpr DWORD kSinkMs = 5000;
constexpr char kTestScheme[] = "zelvane-opener-test";

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, n);
    return text.substr(0, text.find_last_of("\\/"));
}

// The shell is called from a single-threaded apartment, made by the first call.
TEST(OpenDocument, AcceptedTargetReachesItsHandlerUnchangedInFolderC) {
    url_sink::Registration sink(ExeFolder() + "\\" + url_sink::kExeName, {kTestScheme});
    const std::string target = std::string(kTestScheme) + ":someone@example.org";
    // Started from another folder: the handler still runs in C:\.
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    char saved[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, saved);
    ::SetCurrentDirectoryA(windows);
    const std::string result = OpenDocument(target);
    ::SetCurrentDirectoryA(saved);
    EXPECT_EQ(result, "");
    EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE) << "no single-threaded apartment";
    url_sink::Report report;
    ASSERT_TRUE(sink.WaitForReport(report, kSinkMs));
    EXPECT_EQ(report.targets, std::vector<std::string>{target});
    EXPECT_EQ(report.folder, "C:\\");
}

TEST(OpenDocument, SchemeWithoutHandlerIsAMissingAssociation) {
    EXPECT_EQ(OpenDocument("zelvane-no-handler:anything"), "Missing association type of file.");
}

TEST(OpenDocument, MissingFileIsFileNotFound) {
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(OpenDocument(std::string(windows) + "\\zelvane-no-such-file.txt"), "File not found.");
}

}  // namespace
}  // namespace zelvane
