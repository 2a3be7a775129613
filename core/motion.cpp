// The saver window's motion: layout at load, random steps, and the bounce off the edges.
#include "core/motion.h"

#include <algorithm>

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

// The screen in whole twips and the largest left and top of the time label on it.
void SetBounds(ClockMotion& motion,
               double screenWidthTw,
               double screenHeightTw,
               int32_t labelWidthTw,
               int32_t labelHeightTw) {
    motion.ScreenW = ToInt32(screenWidthTw);
    motion.ScreenH = ToInt32(screenHeightTw);
    motion.MaxLeft = CheckedSub32(motion.ScreenW, labelWidthTw);
    motion.MaxTop = CheckedSub32(motion.ScreenH, labelHeightTw);
}

}  // namespace

float UniformRandom::Next() {
    state_ = state_ * kMultiplier + kIncrement;
    return static_cast<float>(state_ >> kDroppedBits) / kResolution;
}

void ClockMotion::Layout(double screenWidthTw, double screenHeightTw, int32_t labelWidthTw, int32_t labelHeightTw) {
    SetBounds(*this, screenWidthTw, screenHeightTw, labelWidthTw, labelHeightTw);
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

void ClockMotion::Refit(double screenWidthTw, double screenHeightTw, int32_t labelWidthTw, int32_t labelHeightTw) {
    SetBounds(*this, screenWidthTw, screenHeightTw, labelWidthTw, labelHeightTw);
    // As the edge tests end: a screen narrower than the label keeps it at 0.
    PosX = std::max<int32_t>(0, std::min(PosX, MaxLeft));
    PosY = std::max<int32_t>(0, std::min(PosY, MaxTop));
}

}  // namespace zelvane
