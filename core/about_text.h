// The About dialog's text and the fixed texts of the program. Texts are UTF-8 here;
// the labels draw them wide, the shell gets them in the system's ANSI code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvane {

inline constexpr char kCR = '\r';

int16_t CountCarriageReturns(std::string_view text);  // raises Overflow past 32767

std::string VersionText(int16_t major, int16_t minor, int16_t revision);  // "1.1.3", "1.1"

struct AboutInputs {
    std::string appTitle;  // "Zelvane"
    int16_t major = 0, minor = 0, revision = 0;
    std::string yearText;  // "2020"
    std::string authorName;
    std::string authorPlace;
    size_t mailLength = 0;  // characters of the contact e-mail address
    size_t webLength = 0;   // characters of the web address (38)
};

std::string AboutText(std::string_view comment, const AboutInputs& in);

// The fixed texts, built from tables of character codes.
std::string GetAuthorName();   // 18 characters
std::string GetWebAddress();   // 37 characters: the web address without its final "/"
std::string WebTarget();       // 38 characters, ends in "/"
std::string ContactAddress();  // the contact e-mail address
std::string MailTarget();      // "mailto:" + ContactAddress()
std::string AuthorPlace();     // a city and, in parentheses, its country

// The shell's result code as the opener reports it: empty on success (> 32).
std::string ShellResultText(int32_t result);

// Characters of a UTF-8 text (code points).
size_t Utf8Length(std::string_view text);

}  // namespace zelvane
