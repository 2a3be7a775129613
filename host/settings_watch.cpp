// The watch on the display-settings dialog. The dialog belongs to another process:
// every read here crosses into it, nothing it answers is trusted to fit a buffer, and no
// question waits on it without a time limit.
#include "host/settings_watch.h"

#include <array>
#include <string_view>

#include "core/name_match.h"

namespace zelvane {
namespace {

constexpr char kPageClass[] = "#32770";
constexpr char kListClass[] = "ComboBox";
// Texts are read into buffers of this many characters, the last kept for the NUL.
constexpr int kTextBufferChars = 255;

// A page's text is read without a message: for another process's window the system
// answers from its own copy, so a dialog that does not answer cannot hold this up. It is
// read into the caller's buffer: a pass of the preview asks every page and allocates nothing.
std::string_view PageText(HWND page, std::array<char, kTextBufferChars>& buffer) {
    buffer.fill('\0');
    ::GetWindowTextA(page, buffer.data(), kTextBufferChars);
    buffer.back() = '\0';
    return std::string_view(buffer.data());
}

// Asks `window` within the time limit. SMTO_ABORTIFHUNG: a dialog the system already
// takes for hung is not waited on at all. False when no answer came.
bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kDialogAnswerTimeoutMs, &result))
        return false;
    *answer = static_cast<LRESULT>(result);
    return true;
}

// The lower-case form in the system's ANSI code page: accented letters fold too.
std::string LowerAnsi(std::string_view text) {
    std::string lower(text);
    if (!lower.empty())
        ::CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
    return lower;
}

// Whether the entry selected in `list` names the saver. The entry is compared in the ANSI
// code page; it is asked in UTF-16, since across processes an ANSI request may be answered
// with UTF-16 text anyway.
DialogAnswer ListAnswer(HWND list, const std::string& saverName) {
    // One character more than the design's buffer: a text that fills it is longer than
    // an entry that can be read whole.
    std::array<wchar_t, kTextBufferChars + 1> wide{};
    const int read = ReadSelectedEntry(list, wide.data(), static_cast<int>(wide.size()));
    if (read == kListSilent)
        return DialogAnswer::kNoAnswer;
    if (read <= 0)
        return DialogAnswer::kNotSelected;
    const int ansiLength = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), read, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0)
        return DialogAnswer::kNotSelected;
    std::string entry(static_cast<size_t>(ansiLength), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), read, entry.data(), ansiLength, nullptr, nullptr);
    return EntryMatchesSaverName(entry, saverName, LowerAnsi) ? DialogAnswer::kSelected : DialogAnswer::kNotSelected;
}

// The answer of the lists that are direct children of `parent`: selected as soon as one
// has the saver selected (kept in `selectedList`); no answer as soon as one is silent, since
// the others belong to the same dialog and would only keep the preview waiting longer.
DialogAnswer ListsAnswer(HWND parent, const std::string& saverName, HWND* selectedList) {
    for (HWND list = ::FindWindowExA(parent, nullptr, kListClass, nullptr); list;
         list = ::FindWindowExA(parent, list, kListClass, nullptr)) {
        const DialogAnswer answer = ListAnswer(list, saverName);
        if (answer == DialogAnswer::kSelected && selectedList)
            *selectedList = list;
        if (answer != DialogAnswer::kNotSelected)
            return answer;
    }
    return DialogAnswer::kNotSelected;
}

}  // namespace

DialogAnswer SaverSelection(HWND hDialog, const std::string& saverName, HWND* lastList) {
    // Each question crosses into the dialog's process: while the list that had the saver
    // selected still has, it alone is asked, and the pages are not looked through again.
    if (lastList && *lastList) {
        const DialogAnswer answer = ListAnswer(*lastList, saverName);
        if (answer != DialogAnswer::kNotSelected)
            return answer;
        *lastList = nullptr;
    }
    std::array<char, kTextBufferChars> text;
    for (HWND page = ::FindWindowExA(hDialog, nullptr, kPageClass, nullptr); page;
         page = ::FindWindowExA(hDialog, page, kPageClass, nullptr)) {
        if (IsScreenSaverPageText(PageText(page, text)))
            return ListsAnswer(page, saverName, lastList);
    }
    // Without a dialog, the pages above were the session's top-level dialogs: their lists
    // belong to other programs and are not asked.
    if (hDialog) {
        // A dialog in another language calls its page otherwise ("Bildschirmschoner"):
        // then every page's lists count.
        for (HWND page = ::FindWindowExA(hDialog, nullptr, kPageClass, nullptr); page;
             page = ::FindWindowExA(hDialog, page, kPageClass, nullptr)) {
            const DialogAnswer answer = ListsAnswer(page, saverName, lastList);
            if (answer != DialogAnswer::kNotSelected)
                return answer;
        }
    }
    return ListsAnswer(hDialog, saverName, lastList);
}

Bool16 IsSaverSelected(HWND hDialog, const std::string& saverName) {
    return SaverSelection(hDialog, saverName) == DialogAnswer::kSelected ? kTrue : kFalse;
}

int ReadSelectedEntry(HWND list, wchar_t* buffer, int chars) {
    if (chars < 2)
        return kNoEntry;
    buffer[0] = L'\0';
    const LRESULT longest = chars - 2;
    // A list that has gone meanwhile answers nothing either, but it is no silent dialog.
    const auto unanswered = [list] { return ::IsWindow(list) ? kListSilent : kNoEntry; };
    LRESULT selected = 0;
    if (!Ask(list, CB_GETCURSEL, 0, 0, &selected))
        return unanswered();
    if (selected < 0)
        return kNoEntry;
    // The text comes with WM_GETTEXT, which carries the buffer's size and is, for a
    // drop-down list, the selected entry's text. CB_GETLBTEXT carries no size: a long entry,
    // or one that grew after a question about it, would be copied past the buffer. A longer
    // one fills the buffer here and counts as too long; asking its length first would cost
    // one more round trip into the dialog's process on every pass.
    LRESULT read = 0;
    const bool answered = Ask(list, WM_GETTEXT, static_cast<WPARAM>(chars), reinterpret_cast<LPARAM>(buffer), &read);
    buffer[chars - 1] = L'\0';
    if (!answered)
        return unanswered();
    return read > 0 && read <= longest ? static_cast<int>(read) : kNoEntry;
}

}  // namespace zelvane
