// The display-settings watch against the test dialog running as its own process, as
// the system's dialog would: a wide combo box in another process, its pages (named in
// another language too), long entries that must never overrun the reader, and dialogs
// that lack a page or a list.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "host/settings_watch.h"
#include "tests/hosts/display_host.h"

namespace zelvane {
namespace {

using display_host::Client;

constexpr char kSaverName[] = "Zelvane";
constexpr size_t kLongestReadable = 254;

std::wstring LongEntries() {
    return L"--long 254 --long 255 --long 10000";
}
constexpr int kEntry254 = display_host::kFirstLongEntry;
constexpr int kEntry255 = display_host::kFirstLongEntry + 1;
constexpr int kEntry10000 = display_host::kFirstLongEntry + 2;

bool Selected(const Client& host, const std::string& name) {
    return IsSaverSelected(host.Dialog(), name) != 0;
}

TEST(SettingsWatch, SelectedEntryMatchesTheSaverNameInAnyCase) {
    Client host;
    ASSERT_TRUE(host.Start(L""));
    EXPECT_TRUE(Selected(host, kSaverName));
    EXPECT_TRUE(Selected(host, "ZELVANE"));
    EXPECT_TRUE(Selected(host, "zelvane"));
    EXPECT_FALSE(Selected(host, "Zelvan"));
    EXPECT_FALSE(Selected(host, "Zelvane 2"));
    EXPECT_FALSE(Selected(host, "")) << "an empty name never matches";
}

TEST(SettingsWatch, ChoosingAnotherEntryOrNoneEndsTheMatch) {
    Client host;
    ASSERT_TRUE(host.Start(L""));
    host.Select(display_host::kEntryMystify);
    EXPECT_FALSE(Selected(host, kSaverName));
    EXPECT_TRUE(Selected(host, "Mystify"));
    host.Select(-1);
    EXPECT_FALSE(Selected(host, kSaverName));
    host.Select(display_host::kEntryZelvane);
    EXPECT_TRUE(Selected(host, kSaverName));
}

// The entry as the ANSI code page at hand spells it ("Z\xE9lvane" in the Western one).
std::string InAnsiCodePage(const std::wstring& text) {
    std::string bytes(text.size() * 2, '\0');
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0],
                                        static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(n > 0 ? n : 0);
    return bytes;
}

// The list answers in UTF-16; the entry is compared in the ANSI code page, and its
// accented letters fold there too.
TEST(SettingsWatch, EntryBeyondAsciiIsComparedInTheAnsiCodePage) {
    Client host;
    ASSERT_TRUE(host.Start(L""));
    host.Select(display_host::kEntryAccented);
    EXPECT_TRUE(Selected(host, InAnsiCodePage(L"Z\u00E9lvane")));
    EXPECT_TRUE(Selected(host, InAnsiCodePage(L"Z\u00C9LVANE"))) << "E acute differs only in case";
    EXPECT_FALSE(Selected(host, kSaverName));
}

TEST(SettingsWatch, EntriesOfUpTo254CharactersAreReadWholeLongerOnesNeverMatch) {
    Client host;
    ASSERT_TRUE(host.Start(LongEntries()));
    const std::string name254(kLongestReadable, 'Z');
    const std::string name255(kLongestReadable + 1, 'z');

    host.Select(kEntry254);
    EXPECT_TRUE(Selected(host, name254));
    EXPECT_FALSE(Selected(host, name254.substr(1)));

    host.Select(kEntry255);
    EXPECT_FALSE(Selected(host, name254)) << "a cut-off entry must not match";
    EXPECT_FALSE(Selected(host, name255));

    host.Select(kEntry10000);
    EXPECT_FALSE(Selected(host, name254));
    EXPECT_FALSE(Selected(host, std::string(10000, 'z')));

    // Still sound after the long reads.
    host.Select(display_host::kEntryZelvane);
    EXPECT_TRUE(Selected(host, kSaverName));
}

// The list may change between the reader's two questions: an entry that grows to 10,000
// characters once its selection has been told lands in the buffer without overrunning it,
// and counts as too long to be read.
TEST(SettingsWatch, AnEntryThatGrowsBetweenTwoQuestionsOverrunsNothing) {
    Client host;
    ASSERT_TRUE(host.Start(L"--grow-after-selection " + std::to_wstring(display_host::kEntryZelvane)));
    constexpr wchar_t kGuardMark = 0xA5A5;
    constexpr int kBufferChars = 256;  // the watch's own: 255 and one to spare
    struct {
        wchar_t buffer[kBufferChars];
        wchar_t guard[display_host::kGrownEntryChars * 2];
    } memory;
    std::fill(std::begin(memory.guard), std::end(memory.guard), kGuardMark);
    EXPECT_EQ(ReadSelectedEntry(host.List(), memory.buffer, kBufferChars), kNoEntry)
        << "the grown entry counted as read";
    EXPECT_EQ(std::count(std::begin(memory.guard), std::end(memory.guard), kGuardMark),
              static_cast<std::ptrdiff_t>(std::size(memory.guard)))
        << "written past the buffer";
    EXPECT_FALSE(Selected(host, kSaverName)) << "the grown entry still matched";
}

TEST(SettingsWatch, APageWhoseTextContainsScreenSaverIsTheScreenSaverPage) {
    Client host;
    ASSERT_TRUE(host.Start(L"--page-caption \"SCREEN saver settings\" --more-lists"));
    EXPECT_TRUE(Selected(host, kSaverName)) << "the match is in the page's second list";
    host.Select(display_host::kEntryMystify);
    EXPECT_FALSE(Selected(host, kSaverName)) << "the dialog's own list, with Zelvane selected, was read";

    // A watch that keeps the list it found answers as one that looks through the dialog.
    HWND kept = nullptr;
    EXPECT_EQ(SaverSelection(host.Dialog(), kSaverName, &kept), DialogAnswer::kNotSelected);
    host.Select(display_host::kEntryZelvane);
    EXPECT_EQ(SaverSelection(host.Dialog(), kSaverName, &kept), DialogAnswer::kSelected);
    EXPECT_EQ(kept, host.List());
    EXPECT_EQ(SaverSelection(host.Dialog(), kSaverName, &kept), DialogAnswer::kSelected);
    host.Select(display_host::kEntryMystify);
    EXPECT_EQ(SaverSelection(host.Dialog(), kSaverName, &kept), DialogAnswer::kNotSelected)
        << "the kept list's old answer, or the dialog's own list, counted";
    EXPECT_EQ(kept, nullptr);
}

// A dialog in another language (or with "ScreenSaver" run together): no page is the
// screen-saver page, so the lists of every page count, and the dialog's own.
TEST(SettingsWatch, WithoutAPageCalledScreenSaverEveryPagesListsCount) {
    for (const wchar_t* caption : {L"ScreenSaver", L"Bildschirmschoner", L"\"\u00C9cran de veille\"",
                                   L"\"\u30B9\u30AF\u30EA\u30FC\u30F3 \u30BB\u30FC\u30D0\u30FC\""}) {
        Client host;
        ASSERT_TRUE(host.Start(std::wstring(L"--page-caption ") + caption));
        EXPECT_TRUE(Selected(host, kSaverName));
        host.Select(display_host::kEntryMystify);
        EXPECT_FALSE(Selected(host, kSaverName));
    }
    Client host;
    ASSERT_TRUE(host.Start(L"--page-caption Bildschirmschoner --more-lists"));
    host.Select(display_host::kEntryMystify);
    EXPECT_TRUE(Selected(host, kSaverName)) << "the dialog's own list has Zelvane selected";
}

TEST(SettingsWatch, WithoutAScreenSaverPageTheDialogsOwnListCounts) {
    Client host;
    ASSERT_TRUE(host.Start(L"--no-page"));
    EXPECT_TRUE(Selected(host, kSaverName));
    host.Select(display_host::kEntryBlank);
    EXPECT_FALSE(Selected(host, kSaverName));
}

TEST(SettingsWatch, DialogWithoutAListHasNothingSelected) {
    Client host;
    ASSERT_TRUE(host.Start(L"--no-combo"));
    EXPECT_FALSE(Selected(host, kSaverName));
}

TEST(SettingsWatch, NoDialogOrAClosedOneHasNothingSelected) {
    EXPECT_FALSE(IsSaverSelected(nullptr, kSaverName));
    Client host;
    ASSERT_TRUE(host.Start(L""));
    const HWND dialog = host.Dialog();
    host.Close();
    ASSERT_TRUE(host.WaitExit(5000));
    EXPECT_FALSE(IsSaverSelected(dialog, kSaverName));
}

}  // namespace
}  // namespace zelvane
