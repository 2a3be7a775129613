// The About dialog shown over the running saver.
#include "runcontrol/run_control.h"

namespace zelvane {

void ShowAbout(Bool16 loadFirst, int16_t iconId, const std::string& text) {
    (void)loadFirst;
    (void)iconId;
    (void)text;
}

}  // namespace zelvane
