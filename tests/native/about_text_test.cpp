// The About text, the fixed texts and the shell's result texts.
#include "core/about_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "tests/native/raised_error.h"

namespace zelvane {
namespace {

using test::RaisedError;

constexpr size_t kLinesForShortComments = 9;
constexpr size_t kWebTargetLength = 38;
constexpr size_t kLinkGapBlanks = 12;
const std::string kTitleLine = "Zelvane  \u2013  version 1.1.3";
const std::string kMailLine = "for comments or bugs send e-mail to address:";
const std::string kWebLine = "or check for updates on the web:";

AboutInputs ProgramInputs() {
    AboutInputs in;
    in.appTitle = "Zelvane";
    in.major = 1;
    in.minor = 1;
    in.revision = 3;
    in.yearText = "2020";
    in.authorName = GetAuthorName();
    in.authorPlace = AuthorPlace();
    in.mailLength = Utf8Length(ContactAddress());
    in.webLength = Utf8Length(WebTarget());
    return in;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == kCR)
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

std::string CopyrightLine() {
    return "Copyright \u00A9 2020, " + GetAuthorName();
}

// The last three lines carry the two link runs and never change with the comment.
void ExpectContactLinesAtTheEnd(const std::vector<std::string>& lines) {
    ASSERT_GE(lines.size(), 3u);
    const size_t n = lines.size();
    EXPECT_EQ(lines[n - 3], kMailLine);
    EXPECT_EQ(lines[n - 2], std::string(ContactAddress().size() + kLinkGapBlanks, ' ') + kWebLine);
    EXPECT_EQ(lines[n - 1], std::string(kWebTargetLength, ' '));
}

struct AbsentCase {
    const char* label;
    std::string comment;
};

std::ostream& operator<<(std::ostream& out, const AbsentCase& c) {
    return out << c.label;
}

class AbsentComment : public ::testing::TestWithParam<AbsentCase> {};

TEST_P(AbsentComment, GivesTheNineLinesOfAnEmptyComment) {
    const std::string text = AboutText(GetParam().comment, ProgramInputs());
    EXPECT_EQ(text, AboutText("", ProgramInputs()));
    const std::vector<std::string> lines = LinesOf(text);
    ASSERT_EQ(lines.size(), kLinesForShortComments);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], kTitleLine);
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], CopyrightLine());
    EXPECT_EQ(lines[4], AuthorPlace());
    EXPECT_EQ(lines[5], "");
    ExpectContactLinesAtTheEnd(lines);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         AbsentComment,
                         ::testing::Values(AbsentCase{"empty", ""},
                                           AbsentCase{"blanks only", "   "},
                                           AbsentCase{"a carriage return", "\r"},
                                           AbsentCase{"text after a leading carriage return", "\rMore text"},
                                           AbsentCase{"three carriage returns", "\r\r\r"},
                                           // Absent before it is counted: no overflow.
                                           AbsentCase{"40001 carriage returns", std::string(40001, '\r')}));

struct CommentCase {
    std::string comment;
    std::vector<std::string> leadingLines;  // the lines before the contact lines
};

std::ostream& operator<<(std::ostream& out, const CommentCase& c) {
    return out << ::testing::PrintToString(c.comment);
}

class PresentComment : public ::testing::TestWithParam<CommentCase> {};

TEST_P(PresentComment, KeepsTheLinkRunsOnTheirLines) {
    const std::vector<std::string> lines = LinesOf(AboutText(GetParam().comment, ProgramInputs()));
    std::vector<std::string> expected = GetParam().leadingLines;
    for (std::string& line : expected) {
        if (line == "@copyright")
            line = CopyrightLine();
        else if (line == "@place")
            line = AuthorPlace();
    }
    ASSERT_EQ(lines.size(), expected.size() + 3);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(expected.size())),
              expected);
    ExpectContactLinesAtTheEnd(lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table,
    PresentComment,
    ::testing::Values(CommentCase{"Hello", {kTitleLine, "Hello", "", "@copyright", "@place", ""}},
                      CommentCase{"  Hi  ", {kTitleLine, "  Hi  ", "", "@copyright", "@place", ""}},
                      CommentCase{"\t", {kTitleLine, "\t", "", "@copyright", "@place", ""}},
                      CommentCase{"A\nB", {kTitleLine, "A\nB", "", "@copyright", "@place", ""}},
                      CommentCase{"A\rB", {kTitleLine, "A", "B", "", "@copyright", "@place"}},
                      CommentCase{"A\rB\rC", {kTitleLine, "A", "B", "C", "@copyright", "@place"}},
                      CommentCase{"A\rB\rC\rD", {kTitleLine, "A", "B", "C", "D", "@copyright", "@place"}}));

TEST(AboutText, HasNoLineFeedAndEndsWithTheWebRun) {
    const std::string text = AboutText("", ProgramInputs());
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.back(), ' ');
    EXPECT_EQ(Utf8Length(LinesOf(text)[1]), 7u + 13u + 5u);
}

TEST(AboutText, RevisionZeroLeavesTheThirdNumberOut) {
    AboutInputs in = ProgramInputs();
    in.revision = 0;
    EXPECT_EQ(LinesOf(AboutText("", in))[1], "Zelvane  \u2013  version 1.1");
}

TEST(VersionText, WritesTheRevisionOnlyWhenPositive) {
    EXPECT_EQ(VersionText(1, 1, 3), "1.1.3");
    EXPECT_EQ(VersionText(1, 1, 0), "1.1");
    EXPECT_EQ(VersionText(2, 0, -1), "2.0");
    EXPECT_EQ(VersionText(10, 20, 30), "10.20.30");
}

TEST(CountCarriageReturns, CountsOnlyCarriageReturnsAndRaisesPastSixteenBits) {
    EXPECT_EQ(CountCarriageReturns(""), 0);
    EXPECT_EQ(CountCarriageReturns("\n\n"), 0);
    EXPECT_EQ(CountCarriageReturns("a\rb\r\n"), 2);
    EXPECT_EQ(CountCarriageReturns(std::string(32767, '\r')), 32767);
    EXPECT_EQ(RaisedError([] { (void)CountCarriageReturns(std::string(32768, '\r')); }), kErrOverflow);
    EXPECT_EQ(RaisedError([] { (void)AboutText("x" + std::string(32768, '\r'), ProgramInputs()); }), kErrOverflow);
}

TEST(FixedTexts, HaveTheLengthsTheDialogIsLaidOutFor) {
    EXPECT_EQ(GetAuthorName().size(), 18u);
    EXPECT_EQ(GetWebAddress().size(), 37u);
    EXPECT_EQ(WebTarget().size(), kWebTargetLength);
    EXPECT_EQ(WebTarget(), GetWebAddress() + "/");
    EXPECT_NE(GetWebAddress().back(), '/');
    EXPECT_EQ(WebTarget().rfind("https://", 0), 0u);
    EXPECT_EQ(MailTarget(), "mailto:" + ContactAddress());
    EXPECT_EQ(ContactAddress().find("mailto:"), std::string::npos);
    EXPECT_NE(ContactAddress().find('@'), std::string::npos);
    const std::string place = AuthorPlace();
    EXPECT_NE(place.find(" ("), std::string::npos);
    EXPECT_EQ(place.back(), ')');
}

TEST(FixedTexts, AreAsciiSoTheirLengthsHoldInAnyCodePage) {
    for (const std::string& text : {GetAuthorName(), WebTarget(), ContactAddress(), AuthorPlace()})
        EXPECT_EQ(Utf8Length(text), text.size()) << text;
    EXPECT_EQ(Utf8Length("\u2013\u00A9x"), 3u);
}

struct ShellCase {
    int32_t result;
    const char* text;
};

std::ostream& operator<<(std::ostream& out, const ShellCase& c) {
    return out << "code " << c.result;
}

class ShellResult : public ::testing::TestWithParam<ShellCase> {};

TEST_P(ShellResult, MapsEveryCodeToItsText) {
    EXPECT_EQ(ShellResultText(GetParam().result), GetParam().text) << GetParam().result;
}

INSTANTIATE_TEST_SUITE_P(Table,
                         ShellResult,
                         ::testing::Values(ShellCase{2, "File not found."},
                                           ShellCase{3, "Path not found."},
                                           ShellCase{5, "Access denied."},
                                           ShellCase{27, "Incomplete association type of file."},
                                           ShellCase{31, "Missing association type of file."},
                                           ShellCase{0, "Generic access file error."},
                                           ShellCase{1, "Generic access file error."},
                                           ShellCase{4, "Generic access file error."},
                                           ShellCase{26, "Generic access file error."},
                                           ShellCase{32, "Generic access file error."},
                                           ShellCase{-1, "Generic access file error."},
                                           ShellCase{33, ""},
                                           ShellCase{42, ""}));

}  // namespace
}  // namespace zelvane
