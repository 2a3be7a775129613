// The full-screen clock window of saver mode: time and date in yellow on black,
// moving one step every half second and bouncing off the screen edges.
#pragma once

#include <string>

#include "clock/cover_windows.h"
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
    // The black windows over the other monitors, shown and unloaded by the saver's driver;
    // they follow the monitors with the clock.
    MonitorCovers Covers;

    // Motion state, in twips.
    const ClockMotion& Motion() const { return motion_; }

protected:
    void Form_Load() override;
    void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;
    // Within the tick: the window covers the new primary screen, the motion keeps to its
    // bounds, the covers follow the monitors. Twips per pixel stay as at the start.
    void Form_DisplayChange() override;

private:
    void Timer1_Timer();
    void Label1_MouseDown(int16_t button, int16_t shift, float x, float y);
    void PlaceLabels();

    double LastDate = 0;
    ClockMotion motion_;
    // The texts, written over at each tick: their storage is kept.
    std::string timeText_;
    std::string dateText_;
    static fclock* current_;
};

}  // namespace zelvane
