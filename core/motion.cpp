// The saver window's motion: layout at load, random steps, and the bounce off the edges.
#include "core/motion.h"

#include "core/numeric.h"

namespace zelvane {

namespace {

// A 32-bit linear congruential generator; its high bits are the good ones, so the
// top 24 become the value (exactly representable as a float, so 1.0 never comes out).
constexpr uint32_t kMultiplier = 1664525u;
constexpr uint32_t kIncrement = 1013904223u;
constexpr int kDroppedBits = 8;
constexpr float kResolution = 16777216.0f;  // 2^24

constexpr float kStepRandomScale = static_cast<float>(kStepPixels);
constexpr double kHalve = 2.0;

float StepFrom(float random, int16_t twipsPerPixel) {
    // The random part is a single-precision product, the fixed part an integer
    // product; the sum is kept in single precision.
    return random * kStepRandomScale + static_cast<float>(CheckedMul16(twipsPerPixel, kStepPixels));
}

int32_t Reflect(int32_t direction) {
    return CheckedSub32(0, direction);
}

}  // namespace

float UniformRandom::Next() {
    state_ = state_ * kMultiplier + kIncrement;
    return static_cast<float>(state_ >> kDroppedBits) / kResolution;
}

void ClockMotion::Layout(double screenWidthTw, double screenHeightTw, int32_t labelWidthTw, int32_t labelHeightTw) {
    ScreenW = ToInt32(screenWidthTw);
    ScreenH = ToInt32(screenHeightTw);
    MaxLeft = CheckedSub32(ScreenW, labelWidthTw);
    MaxTop = CheckedSub32(ScreenH, labelHeightTw);
    PosX = ToInt32((static_cast<double>(ScreenW) - labelWidthTw) / kHalve);
    PosY = ToInt32((static_cast<double>(ScreenH) - labelHeightTw) / kHalve);
}

void ClockMotion::NewSteps(float randomX, float randomY, int16_t twipsPerPixelX, int16_t twipsPerPixelY) {
    StepX = StepFrom(randomX, twipsPerPixelX);
    StepY = StepFrom(randomY, twipsPerPixelY);
}

void ClockMotion::Advance() {
    PosX = ToInt32(static_cast<double>(StepX) * DirX + PosX);
    PosY = ToInt32(static_cast<double>(StepY) * DirY + PosY);
}

void ClockMotion::Bounce() {
    if (PosX > MaxLeft) {
        PosX = MaxLeft;
        DirX = Reflect(DirX);
    }
    if (PosX < 0) {
        PosX = 0;
        DirX = Reflect(DirX);
    }
    if (PosY > MaxTop) {
        PosY = MaxTop;
        DirY = Reflect(DirY);
    }
    if (PosY < 0) {
        PosY = 0;
        DirY = Reflect(DirY);
    }
}

}  // namespace zelvane
