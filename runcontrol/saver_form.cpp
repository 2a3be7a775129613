// The saver windows' input.
#include "runcontrol/saver_form.h"

#include "runcontrol/run_control.h"

namespace zelvane {

void SaverForm::Form_QueryUnload(int16_t&, int16_t unloadMode) {
    if (unloadMode != forms::kUnloadFromCode)
        RequestEnd();
}

void SaverForm::Form_KeyDown(int16_t, int16_t) {
    RequestEnd();
}

void SaverForm::Form_KeyPress(int16_t) {
    RequestEnd();
}

void SaverForm::Form_MouseDown(int16_t button, int16_t shift, float, float) {
    HandleMouseDown(button, shift, kTrue);
}

void SaverForm::Form_LostForeground() {
    RequestEnd();
}

}  // namespace zelvane
