// How long the preview bears a display-settings dialog that does not answer.
#include "core/dialog_patience.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zelvane {
namespace {

constexpr uint32_t kLimitMs = 5000;
constexpr uint32_t kPassMs = 1500;  // a pause and a question that timed out

// Silence counts from the last answer (the start counts as one), in a row: an answer
// starts it anew, also across the tick count's wrap after about 49.7 days.
TEST(DialogPatience, SilenceIsBorneUpToTheLimitSinceTheLastAnswer) {
    for (uint32_t start : {0u, UINT32_MAX - kPassMs}) {
        DialogPatience patience(start, kLimitMs);
        EXPECT_TRUE(patience.GoesOn(DialogAnswer::kNoAnswer, start + kLimitMs - 1)) << start;
        EXPECT_TRUE(patience.GoesOn(DialogAnswer::kSelected, start + kLimitMs)) << start;
        EXPECT_TRUE(patience.GoesOn(DialogAnswer::kNoAnswer, start + 2 * kLimitMs - 1)) << start;
        EXPECT_FALSE(patience.GoesOn(DialogAnswer::kNoAnswer, start + 2 * kLimitMs)) << start;
    }
}

TEST(DialogPatience, AnotherSaverChosenEndsAtOnce) {
    DialogPatience patience(0, kLimitMs);
    EXPECT_TRUE(patience.GoesOn(DialogAnswer::kNoAnswer, kPassMs));
    EXPECT_FALSE(patience.GoesOn(DialogAnswer::kNotSelected, 2 * kPassMs));
}

}  // namespace
}  // namespace zelvane
