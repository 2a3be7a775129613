// The saver window's motion: the time label starts centred, moves one random step
// of about six pixels per axis every tick and bounces off the screen edges.
#pragma once

#include <cstdint>

namespace zelvane {

// Uniform in [0, 1), one generator never reseeded: the sequence repeats every run.
class UniformRandom {
public:
    float Next();

private:
    uint32_t state_ = 0x50000u;
};

struct ClockMotion {
    int32_t ScreenW = 0, ScreenH = 0;  // twips
    int32_t MaxLeft = 0, MaxTop = 0;   // largest left/top of the time label
    int32_t PosX = 0, PosY = 0;        // left/top of the time label
    int32_t DirX = 1, DirY = 1;        // +1 or -1
    float StepX = 0, StepY = 0;        // twips moved on each axis at the last step

    // Load: bounds from the screen and the label, the label centred (steps 3 to 5).
    void Layout(double screenWidthTw, double screenHeightTw, int32_t labelWidthTw, int32_t labelHeightTw);
    // New steps: random × 6 + twips per pixel × 6, X first.
    void NewSteps(float randomX, float randomY, int16_t twipsPerPixelX, int16_t twipsPerPixelY);
    // One step along the current directions, without the edge tests.
    void Advance();
    // The four edge tests, in order.
    void Bounce();
    // The screen changed under the running clock: bounds from the new screen, the label
    // moved just inside them where it now lies outside, the directions kept.
    void Refit(double screenWidthTw, double screenHeightTw, int32_t labelWidthTw, int32_t labelHeightTw);
};

inline constexpr int32_t kStepPixels = 6;

}  // namespace zelvane
