// Plain black windows over the monitors beside the primary screen while the saver runs:
// nothing of the desktop shows anywhere, and input on them acts as on the clock.
#pragma once

#include <memory>
#include <vector>

#include "core/monitors.h"
#include "runcontrol/saver_form.h"

namespace zelvane {

class fcover : public SaverForm {
public:
    explicit fcover(const ScreenRect& pixels);
    // Moves the loaded window over `pixels`.
    void Cover(const ScreenRect& pixels);
};

// The monitors of the desktop and the primary screen, in pixels.
std::vector<ScreenRect> MonitorRects();
ScreenRect PrimaryScreenRect();

class MonitorCovers {
public:
    // Shows one topmost black window over each rectangle.
    void Show(const std::vector<ScreenRect>& rects);
    // The monitors changed while the covers are up: one window over each rectangle again, the
    // kept ones moved, the others added or unloaded. New ones take no activation from the
    // window that has it (About may be open). Nothing before Show or after Unload.
    void Follow(const std::vector<ScreenRect>& rects);
    void Unload();
    const std::vector<std::unique_ptr<fcover>>& Windows() const { return covers_; }

private:
    std::vector<std::unique_ptr<fcover>> covers_;
    bool shown_ = false;
};

}  // namespace zelvane
