// Plain black windows over the monitors beside the primary screen while the saver runs:
// nothing of the desktop shows anywhere, and input on them acts as on the clock.
#pragma once

#include <memory>
#include <vector>

#include "core/monitors.h"
#include "forms/form.h"

namespace zelvane {

class fcover : public forms::Form {
public:
    explicit fcover(const ScreenRect& pixels);

protected:
    void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;
    void Form_KeyDown(int16_t keyCode, int16_t shift) override;
    void Form_KeyPress(int16_t keyAscii) override;
    void Form_MouseDown(int16_t button, int16_t shift, float x, float y) override;
};

// The monitors of the desktop and the primary screen, in pixels.
std::vector<ScreenRect> MonitorRects();
ScreenRect PrimaryScreenRect();

class MonitorCovers {
public:
    // Shows one topmost black window over each rectangle.
    void Show(const std::vector<ScreenRect>& rects);
    void Unload();
    const std::vector<std::unique_ptr<fcover>>& Windows() const { return covers_; }

private:
    std::vector<std::unique_ptr<fcover>> covers_;
};

}  // namespace zelvane
