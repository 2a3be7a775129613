// The command line: the arguments, the ordered run-mode tests and the handles.
#include "core/command_line.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

#include "tests/native/raised_error.h"

namespace zelvane {
namespace {

using test::RaisedError;

struct ArgumentsCase {
    const char* commandLine;
    const char* arguments;
};

std::ostream& operator<<(std::ostream& out, const ArgumentsCase& c) {
    return out << ::testing::PrintToString(std::string(c.commandLine));
}

class ArgumentsOfCommandLine : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(ArgumentsOfCommandLine, SkipsTheProgramPathAndTheBlanksAfterIt) {
    EXPECT_EQ(ArgumentsOf(GetParam().commandLine), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         ArgumentsOfCommandLine,
                         ::testing::Values(ArgumentsCase{"\"C:\\Windows\\ssZelvane.scr\" /S", "/S"},
                                           ArgumentsCase{"\"C:\\Program Files\\ssZelvane.scr\"   /c:5  ", "/c:5  "},
                                           ArgumentsCase{"C:\\WINDOWS\\SSZELV~1.SCR /p 1234", "/p 1234"},
                                           ArgumentsCase{"ssZelvane.scr\t/s", "/s"},
                                           ArgumentsCase{"\"a b.scr\"/S", "/S"},
                                           ArgumentsCase{"ssZelvane.scr", ""},
                                           ArgumentsCase{"ssZelvane.scr   ", ""},
                                           ArgumentsCase{"\"unterminated /S", ""},
                                           ArgumentsCase{"", ""}));

struct ModeCase {
    const char* arguments;
    RunMode mode;
};

std::ostream& operator<<(std::ostream& out, const ModeCase& c) {
    return out << ::testing::PrintToString(std::string(c.arguments));
}

class Classification : public ::testing::TestWithParam<ModeCase> {};

TEST_P(Classification, FirstMatchingTestDecides) {
    EXPECT_EQ(ClassifyCommandLine(NormalizedArguments(GetParam().arguments)), GetParam().mode)
        << '"' << GetParam().arguments << '"';
}

INSTANTIATE_TEST_SUITE_P(Table,
                         Classification,
                         ::testing::Values(ModeCase{"/C", kRunConfigure},
                                           ModeCase{"-C", kRunConfigure},
                                           ModeCase{"/S", kRunSaver},
                                           ModeCase{"-S", kRunSaver},
                                           ModeCase{"/P 1234", kRunPreview},
                                           ModeCase{"-P 1", kRunPreview},
                                           ModeCase{"/A 99", kRunPassword},
                                           ModeCase{"-A", kRunPassword},
                                           ModeCase{"/S ", kRunSaver},
                                           ModeCase{" -S", kRunSaver},
                                           ModeCase{"/C:1234", kRunConfigure},
                                           ModeCase{"/S /P 12", kRunPreview},
                                           ModeCase{"/A /P", kRunPreview},
                                           ModeCase{"/C /A", kRunPassword},
                                           ModeCase{"/S /A", kRunPassword},
                                           ModeCase{"/C /S", kRunSaver},
                                           ModeCase{"/c", kRunConfigure},
                                           ModeCase{"/s", kRunSaver},
                                           ModeCase{"-p 5", kRunPreview},
                                           ModeCase{"", kRunConfigure},
                                           ModeCase{"X", kRunNone},
                                           ModeCase{"/X", kRunNone},
                                           ModeCase{"S/", kRunNone},
                                           ModeCase{" ", kRunNone}));

TEST(UpperCasing, ClassificationComparesCaseSensitivelyAfterIt) {
    EXPECT_EQ(ClassifyCommandLine("/s"), kRunNone);
    EXPECT_EQ(NormalizedArguments("/s /p 12"), "/S /P 12");
    EXPECT_EQ(NormalizedArguments(""), "/C");
    EXPECT_EQ(UpperAscii("\xE9/p"), "\xE9/P");
}

struct HandleCase {
    const char* upperText;
    int32_t handle;
};

std::ostream& operator<<(std::ostream& out, const HandleCase& c) {
    return out << ::testing::PrintToString(std::string(c.upperText));
}

class ConfigureHandleOf : public ::testing::TestWithParam<HandleCase> {};

TEST_P(ConfigureHandleOf, ReadsTheNumberAfterTheFirstColon) {
    EXPECT_EQ(ConfigureHandle(GetParam().upperText), GetParam().handle);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         ConfigureHandleOf,
                         ::testing::Values(HandleCase{"/C", 0},
                                           HandleCase{"/C:1234", 1234},
                                           HandleCase{"/C:0", 0},
                                           HandleCase{"/C:ABC", 0},
                                           HandleCase{"/C:12:34", 12},
                                           HandleCase{"/C: 1 2", 12},
                                           HandleCase{"/C:&H10", 16},
                                           HandleCase{"/C:2.5", 2},
                                           HandleCase{"/C:3.5", 4},
                                           HandleCase{"/C:2147483647", 2147483647}));

class PreviewHandleOf : public ::testing::TestWithParam<HandleCase> {};

TEST_P(PreviewHandleOf, ReadsTheNumberFromTheFirstBlankOn) {
    EXPECT_EQ(PreviewHandle(GetParam().upperText), GetParam().handle);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         PreviewHandleOf,
                         ::testing::Values(HandleCase{"/P 1234", 1234},
                                           HandleCase{"/P 0", 0},
                                           HandleCase{"/P ABC", 0},
                                           HandleCase{"/P  12 34", 1234},
                                           HandleCase{"-P 5 /S", 5},
                                           HandleCase{"/P", 0}));

TEST(Handles, NumbersBeyondThirtyTwoBitsRaiseOverflow) {
    for (const char* text : {"/C:99999999999999", "/C:2147483648", "/C:1E999", "/C:-2147483649"})
        EXPECT_EQ(RaisedError([text] { (void)ConfigureHandle(text); }), kErrOverflow) << text;
    EXPECT_EQ(RaisedError([] { (void)PreviewHandle("/P 4294967296"); }), kErrOverflow);
}

TEST(Handles, PreviewHandleTextNeedsABlank) {
    EXPECT_FALSE(HasPreviewHandleText("/P"));
    EXPECT_FALSE(HasPreviewHandleText("/P1234"));
    EXPECT_TRUE(HasPreviewHandleText("/P "));
    EXPECT_TRUE(HasPreviewHandleText("/P 1234"));
}

TEST(Robustness, LongJunkIsClassifiedWithoutFault) {
    constexpr size_t kLength = 10000;
    constexpr int kRounds = 20;
    std::mt19937 generator(1234);
    std::uniform_int_distribution<int> byte(1, 255);
    for (int round = 0; round < kRounds; ++round) {
        std::string junk(kLength, ' ');
        for (char& c : junk)
            c = static_cast<char>(byte(generator));
        const std::string text = NormalizedArguments(ArgumentsOf(junk));
        const RunMode mode = ClassifyCommandLine(text);
        EXPECT_GE(mode, kRunNone);
        EXPECT_LE(mode, kRunPassword);
        const int32_t configureError = RaisedError([&] { (void)ConfigureHandle(text); });
        const int32_t previewError = RaisedError([&] { (void)PreviewHandle(text); });
        EXPECT_TRUE(configureError == 0 || configureError == kErrOverflow);
        EXPECT_TRUE(previewError == 0 || previewError == kErrOverflow);
    }
    EXPECT_EQ(ClassifyCommandLine(std::string(kLength, 'X')), kRunNone);
    EXPECT_EQ(ClassifyCommandLine(std::string(kLength, 'X') + "/S"), kRunSaver);
    EXPECT_EQ(RaisedError([] { (void)PreviewHandle("/P " + std::string(kLength, '9')); }), kErrOverflow);
}

}  // namespace
}  // namespace zelvane
