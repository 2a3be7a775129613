// The configuration window: the screen saver has no settings, and says so.
#pragma once

#include "forms/form.h"

namespace zelvane {

class fsetup : public forms::Form {
public:
    fsetup();

    forms::Label Label1;

protected:
    void Form_Load() override;
    void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;
};

}  // namespace zelvane
