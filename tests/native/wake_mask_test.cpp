// The wake mask of the event waits on the systems that matter: XP and 7 know no pointer input
// and refuse a mask with it; 8 and 10 deliver touch and pen only as pointer input.
#include <gtest/gtest.h>

#include "core/wake_mask.h"

namespace zelvane {
namespace {

TEST(WakeMask, NamesTouchAndPointerInputExactlyWhereTheSystemHasThem) {
    constexpr uint32_t kAllInputOf7 = 0x04FF;  // QS_ALLINPUT as Windows 7 defines it
    constexpr uint32_t kWithPointer = kAllInputOf7 | kQsTouch | kQsPointer;
    EXPECT_EQ(InputWakeMask(kAllInputOf7, {5, 1}), kAllInputOf7) << "Windows XP";
    EXPECT_EQ(InputWakeMask(kAllInputOf7, {6, 1}), kAllInputOf7) << "Windows 7";
    EXPECT_EQ(InputWakeMask(kAllInputOf7, {6, 2}), kWithPointer) << "Windows 8";
    EXPECT_EQ(InputWakeMask(kAllInputOf7, {10, 0}), kWithPointer) << "Windows 10";
}

}  // namespace
}  // namespace zelvane
