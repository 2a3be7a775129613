// How long the preview bears a display-settings dialog that does not answer.
#include "core/dialog_patience.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zelvane {
namespace {

constexpr uint32_t kLimitMs = 5000;
constexpr uint32_t kPassMs = 1500;  // a pause and a question that timed out

// Silence counts from the last answer, and only silence in a row: an answer starts it anew.
TEST(DialogPatience, SilenceIsBorneUpToTheLimitSinceTheLastAnswer) {
    DialogPatience patience(0, kLimitMs);
    EXPECT_TRUE(patience.GoesOn(DialogAnswer::kNoAnswer, kLimitMs - 1)) << "silent from the start";
    EXPECT_TRUE(patience.GoesOn(DialogAnswer::kSelected, kLimitMs));
    uint32_t now = kLimitMs;
    for (int pass = 0; pass < 3; ++pass)
        EXPECT_TRUE(patience.GoesOn(DialogAnswer::kNoAnswer, now += kPassMs)) << "pass " << pass;
    EXPECT_FALSE(patience.GoesOn(DialogAnswer::kNoAnswer, kLimitMs + kLimitMs));
}

TEST(DialogPatience, AnotherSaverChosenEndsAtOnceWhateverCameBefore) {
    DialogPatience patience(0, kLimitMs);
    EXPECT_TRUE(patience.GoesOn(DialogAnswer::kNoAnswer, kPassMs));
    EXPECT_FALSE(patience.GoesOn(DialogAnswer::kNotSelected, 2 * kPassMs));
}

// The tick count wraps after about 49.7 days of uptime.
TEST(DialogPatience, TheTickCountsWrapChangesNothing) {
    constexpr uint32_t kBeforeWrap = UINT32_MAX - kPassMs;
    DialogPatience patience(kBeforeWrap, kLimitMs);
    EXPECT_TRUE(patience.GoesOn(DialogAnswer::kNoAnswer, kBeforeWrap + 2 * kPassMs));
    EXPECT_FALSE(patience.GoesOn(DialogAnswer::kNoAnswer, kBeforeWrap + kLimitMs));
}

}  // namespace
}  // namespace zelvane
