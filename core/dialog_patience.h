// How long the preview bears a display-settings dialog that does not answer.
#pragma once

#include <cstdint>

namespace zelvane {

// What the dialog's lists said when asked whether this saver is selected.
enum class DialogAnswer { kSelected, kNotSelected, kNoAnswer };

// As long as the system itself takes to call a window "not responding": a dialog busy for
// a moment keeps its preview, one silent for this long in a row ends it.
inline constexpr uint32_t kDialogSilenceLimitMs = 5000;

// Follows the dialog's answers pass by pass, on a millisecond tick count that may wrap.
class DialogPatience {
public:
    // `startMs`: when the preview started, which counts as the dialog's first answer.
    explicit DialogPatience(uint32_t startMs, uint32_t limitMs = kDialogSilenceLimitMs)
        : lastAnswerMs_(startMs), limitMs_(limitMs) {}

    // Whether the preview goes on after `answer`, given at `nowMs`: while the saver is
    // selected, and while the dialog has been silent for less than the limit since it last
    // answered.
    bool GoesOn(DialogAnswer answer, uint32_t nowMs);

private:
    uint32_t lastAnswerMs_;
    uint32_t limitMs_;
};

}  // namespace zelvane
