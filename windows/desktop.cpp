// Which desktop the program runs on.
#include "core/name_match.h"
#include "windows/window_utils.h"

namespace zelvane {
namespace {
constexpr char kUsersDesktop[] = "default";  // lower case: the name is compared so
constexpr DWORD kNameChars = 256;
}  // namespace

bool OnUsersOwnDesktop() {
    char name[kNameChars] = {};
    DWORD needed = 0;
    // A desktop whose name cannot be read counts as another: the safe answer.
    if (!::GetUserObjectInformationA(::GetThreadDesktop(::GetCurrentThreadId()), UOI_NAME, name, kNameChars - 1,
                                     &needed))
        return false;
    return LowerAscii(name) == kUsersDesktop;
}

}  // namespace zelvane
