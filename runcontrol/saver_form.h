// A window of the running saver (the clock, the covers of the other monitors): the
// input that ends the run or opens About, in one place for all of them.
#pragma once

#include "forms/form.h"

namespace zelvane {

class SaverForm : public forms::Form {
public:
    using forms::Form::Form;

protected:
    // Closed from outside (WM_CLOSE, the close command): the run ends as on a key, or
    // the driver would pump on with no window and the cursor hidden.
    void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;
    // Any key ends the run.
    void Form_KeyDown(int16_t keyCode, int16_t shift) override;
    void Form_KeyPress(int16_t keyAscii) override;
    // A right click alone opens About; every other press ends the run.
    void Form_MouseDown(int16_t button, int16_t shift, float x, float y) override;
    // Another program came to the front: it takes the keys, which must not go to a window
    // that the topmost saver hides. The run ends as on a key.
    void Form_LostForeground() override;
};

}  // namespace zelvane
