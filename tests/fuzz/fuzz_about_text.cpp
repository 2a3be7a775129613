// Fuzzes the About text with any comment: the contact runs always close the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/about_text.h"
#include "core/runtime_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view comment(reinterpret_cast<const char*>(data), size);
    zelvane::AboutInputs in;
    in.appTitle = "Zelvane";
    in.major = 1;
    in.minor = 1;
    in.revision = 3;
    in.yearText = "2020";
    in.authorName = zelvane::GetAuthorName();
    in.authorPlace = zelvane::AuthorPlace();
    in.mailLength = zelvane::Utf8Length(zelvane::ContactAddress());
    in.webLength = zelvane::Utf8Length(zelvane::WebTarget());
    try {
        const std::string text = zelvane::AboutText(comment, in);
        const std::string webRun = std::string(1, zelvane::kCR) + std::string(in.webLength, ' ');
        if (text.size() < webRun.size() || text.compare(text.size() - webRun.size(), webRun.size(), webRun) != 0)
            __builtin_trap();
    } catch (const zelvane::RuntimeError&) {
        // More carriage returns than a 16-bit count holds: the program reports Overflow.
    }
    return 0;
}
