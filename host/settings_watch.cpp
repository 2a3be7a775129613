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
constexpr LRESULT kMaxEntryChars = kTextBufferChars - 1;

std::string PageText(HWND page) {
    std::array<char, kTextBufferChars> buffer{};
    ::GetWindowTextA(page, buffer.data(), kTextBufferChars);
    buffer.back() = '\0';
    return std::string(buffer.data());
}

// The dialog's screen-saver page, or the dialog itself when it has none.
HWND ListParent(HWND hDialog) {
    for (HWND page = ::FindWindowExA(hDialog, nullptr, kPageClass, nullptr); page;
         page = ::FindWindowExA(hDialog, page, kPageClass, nullptr)) {
        if (IsScreenSaverPageText(PageText(page)))
            return page;
    }
    return hDialog;
}

// The selected entry's text in the ANSI code page; empty when there is no selection
// or the entry is longer than the buffer. The list is asked in UTF-16: across
// processes an ANSI request may be answered with UTF-16 text anyway, which would fill
// twice the bytes it announces. The length is asked first so that a long entry is
// never read at all.
std::string SelectedEntry(HWND list) {
    const LRESULT selected = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (selected < 0)
        return std::string();
    const auto index = static_cast<WPARAM>(selected);
    const LRESULT length = ::SendMessageW(list, CB_GETLBTEXTLEN, index, 0);
    if (length <= 0 || length > kMaxEntryChars)
        return std::string();
    std::array<wchar_t, kTextBufferChars> wide{};
    const LRESULT read = ::SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    if (read <= 0 || read > kMaxEntryChars)
        return std::string();
    const int wideLength = static_cast<int>(read);
    const int ansiLength = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0)
        return std::string();
    std::string entry(static_cast<size_t>(ansiLength), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, entry.data(), ansiLength, nullptr, nullptr);
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

}  // namespace zelvane
