// The full-screen clock window of saver mode: time and date in yellow on black,
// moving one step every half second and bouncing off the screen edges.
#pragma once

#include "core/motion.h"
#include "runcontrol/saver_form.h"

namespace zelvane {

class fclock : public SaverForm {
public:
    fclock();
    ~fclock() override;

    // The one clock window of the run, for the routines that put it back on top.
    static fclock* Current() { return current_; }

    forms::Timer Timer1;
    forms::Label Label1;  // time
    forms::Label Label2;  // date

    // Motion state, in twips.
    const ClockMotion& Motion() const { return motion_; }

protected:
    void Form_Load() override;
    void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;

private:
    void Timer1_Timer();
    void Label1_MouseDown(int16_t button, int16_t shift, float x, float y);
    void PlaceLabels();

    double LastDate = 0;
    ClockMotion motion_;
    static fclock* current_;
};

}  // namespace zelvane
