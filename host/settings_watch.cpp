// The watch on the display-settings dialog. The dialog belongs to another process:
// every read here crosses into it, and nothing it answers is trusted to fit a buffer.
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

// Read into the caller's buffer: a pass of the preview asks every page and allocates nothing.
std::string_view PageText(HWND page, std::array<char, kTextBufferChars>& buffer) {
    buffer.fill('\0');
    ::GetWindowTextA(page, buffer.data(), kTextBufferChars);
    buffer.back() = '\0';
    return std::string_view(buffer.data());
}

// The dialog's screen-saver page, or the dialog itself when it has none.
HWND ListParent(HWND hDialog) {
    std::array<char, kTextBufferChars> text;
    for (HWND page = ::FindWindowExA(hDialog, nullptr, kPageClass, nullptr); page;
         page = ::FindWindowExA(hDialog, page, kPageClass, nullptr)) {
        if (IsScreenSaverPageText(PageText(page, text)))
            return page;
    }
    return hDialog;
}

// The selected entry's text in the ANSI code page; empty when there is no selection
// or the entry is longer than the design's buffer. The list is asked in UTF-16: across
// processes an ANSI request may be answered with UTF-16 text anyway.
std::string SelectedEntry(HWND list) {
    // One character more than the design's buffer: a text that fills it is longer than
    // an entry that can be read whole.
    std::array<wchar_t, kTextBufferChars + 1> wide{};
    const int read = ReadSelectedEntry(list, wide.data(), static_cast<int>(wide.size()));
    if (read <= 0)
        return std::string();
    const int ansiLength = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), read, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0)
        return std::string();
    std::string entry(static_cast<size_t>(ansiLength), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), read, entry.data(), ansiLength, nullptr, nullptr);
    return entry;
}

// The lower-case form in the system's ANSI code page: accented letters fold too.
std::string LowerAnsi(std::string_view text) {
    std::string lower(text);
    if (!lower.empty())
        ::CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
    return lower;
}

}  // namespace

Bool16 IsSaverSelected(HWND hDialog, const std::string& saverName) {
    const HWND parent = ListParent(hDialog);
    for (HWND list = ::FindWindowExA(parent, nullptr, kListClass, nullptr); list;
         list = ::FindWindowExA(parent, list, kListClass, nullptr)) {
        if (EntryMatchesSaverName(SelectedEntry(list), saverName, LowerAnsi))
            return kTrue;
    }
    return kFalse;
}

// The length is asked first so that a long entry is never read at all.
int ReadSelectedEntry(HWND list, wchar_t* buffer, int chars) {
    if (chars < 2)
        return -1;
    buffer[0] = L'\0';
    const LRESULT longest = chars - 2;
    const LRESULT selected = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (selected < 0)
        return -1;
    const auto index = static_cast<WPARAM>(selected);
    const LRESULT length = ::SendMessageW(list, CB_GETLBTEXTLEN, index, 0);
    if (length <= 0 || length > longest)
        return -1;
    // The text comes with WM_GETTEXT, which carries the buffer's size and is, for a
    // drop-down list, the selected entry's text. CB_GETLBTEXT carries no size: an entry
    // that grew after telling its length would be copied past the buffer. One that grew
    // now fills the buffer and counts as too long.
    const LRESULT read = ::SendMessageW(list, WM_GETTEXT, static_cast<WPARAM>(chars), reinterpret_cast<LPARAM>(buffer));
    buffer[chars - 1] = L'\0';
    return read > 0 && read <= longest ? static_cast<int>(read) : -1;
}

}  // namespace zelvane
