// The black windows over the other monitors.
#include "clock/cover_windows.h"

#include "core/numeric.h"
#include "program/globals.h"
#include "windows/window_utils.h"

namespace zelvane {
namespace {

constexpr forms::OleColor kCoverColor = 0x000000;

forms::FormSpec CoverSpec(const ScreenRect& r) {
    forms::FormSpec spec;
    spec.border = forms::BorderStyle::kNone;
    spec.caption = "";
    spec.backColor = kCoverColor;
    // Whole pixels times twips per pixel: the form turns these back into the same pixels.
    spec.leftTw = CheckedMul32(r.left, TwipsPerPixelX);
    spec.topTw = CheckedMul32(r.top, TwipsPerPixelY);
    spec.clientWidthTw = CheckedMul32(CheckedSub32(r.right, r.left), TwipsPerPixelX);
    spec.clientHeightTw = CheckedMul32(CheckedSub32(r.bottom, r.top), TwipsPerPixelY);
    return spec;
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rc, LPARAM param) {
    auto* rects = reinterpret_cast<std::vector<ScreenRect>*>(param);
    rects->push_back({rc->left, rc->top, rc->right, rc->bottom});
    return TRUE;
}

}  // namespace

fcover::fcover(const ScreenRect& pixels) : SaverForm(CoverSpec(pixels)) {}

std::vector<ScreenRect> MonitorRects() {
    std::vector<ScreenRect> rects;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&rects));
    return rects;
}

ScreenRect PrimaryScreenRect() {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

void MonitorCovers::Show(const std::vector<ScreenRect>& rects) {
    for (const ScreenRect& r : rects) {
        auto cover = std::make_unique<fcover>(r);
        cover->Load();
        cover->Show();
        MakeTopMost(cover->hWnd());
        covers_.push_back(std::move(cover));
    }
}

void MonitorCovers::Unload() {
    for (auto& cover : covers_)
        cover->Unload();
    covers_.clear();
}

}  // namespace zelvane
