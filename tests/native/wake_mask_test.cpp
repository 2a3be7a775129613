// The wake mask of the event waits on the systems that matter: XP and 7 know no pointer input
// and refuse a mask with it; 8 and 10 deliver touch and pen only as pointer input.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/wake_mask.h"

namespace zelvane {
namespace {

constexpr uint32_t kAllInputOf7 = 0x04FF;  // QS_ALLINPUT as Windows 7 defines it
constexpr uint32_t kPointerInput = kQsTouch | kQsPointer;

struct VersionCase {
    const char* name;
    SystemVersion version;
    bool pointerInput;
};

void PrintTo(const VersionCase& c, std::ostream* os) {
    *os << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<VersionCase>& info) {
    return info.param.name;
}

class WakeMask : public ::testing::TestWithParam<VersionCase> {};

TEST_P(WakeMask, NamesPointerInputExactlyWhereTheSystemHasIt) {
    const VersionCase& c = GetParam();
    EXPECT_EQ(InputWakeMask(kAllInputOf7, c.version), c.pointerInput ? kAllInputOf7 | kPointerInput : kAllInputOf7);
}

INSTANTIATE_TEST_SUITE_P(Systems,
                         WakeMask,
                         ::testing::Values(VersionCase{"WindowsXP", {5, 1}, false},
                                           VersionCase{"Windows7", {6, 1}, false},
                                           VersionCase{"Windows8", {6, 2}, true},
                                           VersionCase{"Windows10", {10, 0}, true}),
                         CaseName);

}  // namespace
}  // namespace zelvane
