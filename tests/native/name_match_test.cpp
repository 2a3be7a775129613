// Name matching of the display-settings watch.
#include "core/name_match.h"

#include <gtest/gtest.h>

#include <ostream>

namespace zelvane {
namespace {

struct TextPair {
    const char* input;
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const TextPair& c) {
    return out << ::testing::PrintToString(std::string(c.input));
}

class SaverName : public ::testing::TestWithParam<TextPair> {};

TEST_P(SaverName, StartsAtTheThirdCharacter) {
    EXPECT_EQ(SaverNameFromBaseName(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         SaverName,
                         ::testing::Values(TextPair{"ssZelvane", "Zelvane"},
                                           TextPair{"ssdemo", "demo"},
                                           TextPair{"abc", "c"},
                                           TextPair{"ss", ""},
                                           TextPair{"s", ""},
                                           TextPair{"", ""}));

class BaseName : public ::testing::TestWithParam<TextPair> {};

TEST_P(BaseName, DropsTheFolderAndTheLastExtension) {
    EXPECT_EQ(BaseNameOfPath(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         BaseName,
                         ::testing::Values(TextPair{"C:\\Windows\\System32\\ssZelvane.scr", "ssZelvane"},
                                           TextPair{"/home/user/ssZelvane.scr", "ssZelvane"},
                                           TextPair{"ssZelvane.scr", "ssZelvane"},
                                           TextPair{"ssZelvane", "ssZelvane"},
                                           TextPair{"C:\\dir.v2\\ssdemo", "ssdemo"},
                                           TextPair{"C:\\a.b.scr", "a.b"},
                                           TextPair{"C:ssdemo.scr", "ssdemo"},
                                           TextPair{"C:\\dir\\", ""},
                                           TextPair{"", ""}));

struct MatchCase {
    const char* text;
    bool matches;
};

std::ostream& operator<<(std::ostream& out, const MatchCase& c) {
    return out << ::testing::PrintToString(std::string(c.text));
}

class ScreenSaverPage : public ::testing::TestWithParam<MatchCase> {};

TEST_P(ScreenSaverPage, NeedsBothWordsWithOneBlankInAnyCase) {
    EXPECT_EQ(IsScreenSaverPageText(GetParam().text), GetParam().matches) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Table,
                         ScreenSaverPage,
                         ::testing::Values(MatchCase{"Screen Saver", true},
                                           MatchCase{"SCREEN SAVER", true},
                                           MatchCase{"screen saver", true},
                                           MatchCase{"The Screen saver page", true},
                                           MatchCase{"Screensaver", false},
                                           MatchCase{"Screen  Saver", false},
                                           MatchCase{"Screen\tSaver", false},
                                           MatchCase{"Screen Save", false},
                                           MatchCase{"", false}));

class SelectedEntry : public ::testing::TestWithParam<MatchCase> {};

TEST_P(SelectedEntry, MatchesTheSaverNameIgnoringCase) {
    EXPECT_EQ(EntryMatchesSaverName(GetParam().text, "demo", LowerAscii), GetParam().matches)
        << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Table,
                         SelectedEntry,
                         ::testing::Values(MatchCase{"demo", true},
                                           MatchCase{"Demo", true},
                                           MatchCase{"DEMO", true},
                                           MatchCase{"Demo 2", false},
                                           MatchCase{"My demo", false},
                                           MatchCase{"dem", false},
                                           MatchCase{"demos", false},
                                           MatchCase{"", false}));

TEST(SelectedEntryName, AnEmptySaverNameNeverMatches) {
    EXPECT_FALSE(EntryMatchesSaverName("", "", LowerAscii));
    EXPECT_FALSE(EntryMatchesSaverName("x", "", LowerAscii));
}

// The fold handed in decides beyond A-Z: here a code page's A-umlaut (0xC4 to 0xE4).
std::string LowerWithUmlaut(std::string_view text) {
    std::string lower = LowerAscii(text);
    for (char& c : lower)
        if (c == '\xC4')
            c = '\xE4';
    return lower;
}

TEST(SelectedEntryName, LettersBeyondAsciiFoldAsTheGivenLowerCaseSays) {
    EXPECT_TRUE(EntryMatchesSaverName("\xC4x", "\xE4X", LowerWithUmlaut));
    EXPECT_TRUE(EntryMatchesSaverName("\xE4", "\xC4", LowerWithUmlaut));
    EXPECT_FALSE(EntryMatchesSaverName("\xC4", "\xE4", LowerAscii));
    EXPECT_FALSE(EntryMatchesSaverName("\xC4", "A", LowerWithUmlaut));
}

}  // namespace
}  // namespace zelvane
