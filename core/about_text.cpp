// The About dialog's text, the program's fixed texts and the shell's result texts.
#include "core/about_text.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "core/runtime_error.h"

namespace zelvane {

namespace {

constexpr char kBlank = ' ';
constexpr std::string_view kVersionSegment = "  \u2013  version ";
constexpr std::string_view kCopyright = "Copyright \u00A9 ";
constexpr std::string_view kMailLine = "for comments or bugs send e-mail to address:";
constexpr std::string_view kWebLine = "or check for updates on the web:";
// Distance between the e-mail link and the text that introduces the web link.
constexpr size_t kLinkGapBlanks = 12;

// Kept as tables of character codes so that the texts are not plain strings in the binary.
constexpr size_t kAuthorNameLength = 18;
constexpr int16_t kAuthorNameCodes[] = {'Z', 'e', 'l', 'v', 'a', 'n', 'e', ' ', 'C',
                                        'l', 'o', 'c', 'k', ' ', 'T', 'e', 'a', 'm'};
static_assert(std::size(kAuthorNameCodes) == kAuthorNameLength);

constexpr size_t kWebAddressLength = 37;
constexpr uint8_t kWebAddressCodes[] = {'h', 't', 't', 'p', 's', ':', '/', '/', 'w', 'w', 'w', '.', 'z',
                                        'e', 'l', 'v', 'a', 'n', 'e', '.', 'e', 'x', 'a', 'm', 'p', 'l',
                                        'e', '.', 'o', 'r', 'g', '/', 's', 'a', 'v', 'e', 'r'};
static_assert(std::size(kWebAddressCodes) == kWebAddressLength);

// Short enough that the link label (Arial 9 pt) ends inside its run of blanks (Arial
// 9.75 pt) and the 12 blanks after it: a longer address covers the next words.
constexpr std::string_view kContactAddress = "clock@example.org";
constexpr std::string_view kAuthorPlace = "Ljubljana (Slovenia)";
constexpr std::string_view kMailScheme = "mailto:";

// Shell result codes; anything above the last error code means success.
constexpr int32_t kShellFileNotFound = 2;
constexpr int32_t kShellPathNotFound = 3;
constexpr int32_t kShellAccessDenied = 5;
constexpr int32_t kShellAssociationIncomplete = 27;
constexpr int32_t kShellNoAssociation = 31;
constexpr int32_t kShellLastErrorCode = 32;

constexpr uint8_t kUtf8ContinuationMask = 0xC0;
constexpr uint8_t kUtf8ContinuationTag = 0x80;

template <typename Code, size_t N>
std::string TextOfCodes(const Code (&codes)[N]) {
    std::string text;
    for (const Code code : codes)
        text += static_cast<char>(code);
    return text;
}

bool IsAbsentComment(std::string_view comment) {
    if (!comment.empty() && comment.front() == kCR)
        return true;
    return comment.find_first_not_of(kBlank) == std::string_view::npos;
}

}  // namespace

int16_t CountCarriageReturns(std::string_view text) {
    const auto count = static_cast<size_t>(std::count(text.begin(), text.end(), kCR));
    if (count > static_cast<size_t>(std::numeric_limits<int16_t>::max()))
        RaiseOverflow();
    return static_cast<int16_t>(count);
}

std::string VersionText(int16_t major, int16_t minor, int16_t revision) {
    std::string text = std::to_string(major) + "." + std::to_string(minor);
    if (revision > 0)
        text += "." + std::to_string(revision);
    return text;
}

std::string AboutText(std::string_view comment, const AboutInputs& in) {
    // Empty lines come and go around the comment so that the two link runs stay on
    // lines 8 and 9 for comments of up to three lines.
    std::string lead;
    std::string body;
    std::string gap;
    if (IsAbsentComment(comment)) {
        lead = std::string(1, kCR);
        body = std::string(1, kCR);
        gap = std::string(1, kCR);
    } else {
        const int16_t lines = CountCarriageReturns(comment);
        body = std::string(comment) + kCR;
        if (lines <= 1)
            body += kCR;
        if (lines == 0)
            gap = std::string(1, kCR);
    }

    std::string text = lead;
    text += in.appTitle;
    text += kVersionSegment;
    text += VersionText(in.major, in.minor, in.revision);
    text += kCR;
    text += body;
    text += kCopyright;
    text += in.yearText;
    text += ", ";
    text += in.authorName;
    text += kCR;
    text += in.authorPlace;
    text += kCR;
    text += gap;
    text += kMailLine;
    text += kCR;
    text.append(in.mailLength, kBlank);
    text.append(kLinkGapBlanks, kBlank);
    text += kWebLine;
    text += kCR;
    text.append(in.webLength, kBlank);
    return text;
}

std::string GetAuthorName() {
    return TextOfCodes(kAuthorNameCodes);
}

std::string GetWebAddress() {
    return TextOfCodes(kWebAddressCodes);
}

std::string WebTarget() {
    return GetWebAddress() + "/";
}

std::string ContactAddress() {
    return std::string(kContactAddress);
}

std::string MailTarget() {
    return std::string(kMailScheme) + ContactAddress();
}

std::string AuthorPlace() {
    return std::string(kAuthorPlace);
}

std::string ShellResultText(int32_t result) {
    switch (result) {
        case kShellFileNotFound:
            return "File not found.";
        case kShellPathNotFound:
            return "Path not found.";
        case kShellAccessDenied:
            return "Access denied.";
        case kShellAssociationIncomplete:
            return "Incomplete association type of file.";
        case kShellNoAssociation:
            return "Missing association type of file.";
        default:
            return result > kShellLastErrorCode ? std::string() : "Generic access file error.";
    }
}

size_t Utf8Length(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<uint8_t>(c) & kUtf8ContinuationMask) != kUtf8ContinuationTag;
    }));
}

}  // namespace zelvane
