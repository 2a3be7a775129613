// How long the preview bears a display-settings dialog that does not answer.
#include "core/dialog_patience.h"

namespace zelvane {

bool DialogPatience::GoesOn(DialogAnswer answer, uint32_t nowMs) {
    switch (answer) {
        case DialogAnswer::kSelected:
            lastAnswerMs_ = nowMs;
            return true;
        case DialogAnswer::kNotSelected:
            return false;
        case DialogAnswer::kNoAnswer:
            break;
    }
    // Unsigned: the difference is right across the tick count's wrap.
    return nowMs - lastAnswerMs_ < limitMs_;
}

}  // namespace zelvane
