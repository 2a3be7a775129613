// The black windows over the other monitors.
#include "clock/cover_windows.h"

#include "core/numeric.h"
#include "program/globals.h"
#include "windows/window_utils.h"

namespace zelvane {
namespace {

constexpr forms::OleColor kCoverColor = 0x000000;

struct TwipsBox {
    int32_t left, top, width, height;
};

// Whole pixels times twips per pixel: the form turns these back into the same pixels.
TwipsBox InTwips(const ScreenRect& r) {
    return {CheckedMul32(r.left, TwipsPerPixelX), CheckedMul32(r.top, TwipsPerPixelY),
            CheckedMul32(CheckedSub32(r.right, r.left), TwipsPerPixelX),
            CheckedMul32(CheckedSub32(r.bottom, r.top), TwipsPerPixelY)};
}

forms::FormSpec CoverSpec(const ScreenRect& r) {
    const TwipsBox twips = InTwips(r);
    forms::FormSpec spec;
    spec.border = forms::BorderStyle::kNone;
    spec.caption = "";
    spec.backColor = kCoverColor;
    spec.leftTw = twips.left;
    spec.topTw = twips.top;
    spec.clientWidthTw = twips.width;
    spec.clientHeightTw = twips.height;
    return spec;
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rc, LPARAM param) {
    auto* rects = reinterpret_cast<std::vector<ScreenRect>*>(param);
    rects->push_back({rc->left, rc->top, rc->right, rc->bottom});
    return TRUE;
}

}  // namespace

fcover::fcover(const ScreenRect& pixels) : SaverForm(CoverSpec(pixels)) {}

void fcover::Cover(const ScreenRect& pixels) {
    const TwipsBox twips = InTwips(pixels);
    Move(twips.left, twips.top, twips.width, twips.height);
}

std::vector<ScreenRect> MonitorRects() {
    std::vector<ScreenRect> rects;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&rects));
    return rects;
}

ScreenRect PrimaryScreenRect() {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

void MonitorCovers::Show(const std::vector<ScreenRect>& rects) {
    shown_ = true;
    for (const ScreenRect& r : rects) {
        auto cover = std::make_unique<fcover>(r);
        cover->Load();
        cover->Show();
        MakeTopMost(cover->hWnd());
        covers_.push_back(std::move(cover));
    }
}

void MonitorCovers::Follow(const std::vector<ScreenRect>& rects) {
    if (!shown_)
        return;
    // Kept windows move rather than go and come back, so that no desktop shows between.
    while (covers_.size() > rects.size()) {
        covers_.back()->Unload();
        covers_.pop_back();
    }
    for (size_t i = 0; i < rects.size(); ++i) {
        if (i < covers_.size()) {
            covers_[i]->Cover(rects[i]);
            continue;
        }
        auto cover = std::make_unique<fcover>(rects[i]);
        if (cover->Load()) {
            ::ShowWindow(cover->hWnd(), SW_SHOWNA);
            ::SetWindowPos(cover->hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        covers_.push_back(std::move(cover));
    }
}

void MonitorCovers::Unload() {
    shown_ = false;
    for (auto& cover : covers_)
        cover->Unload();
    covers_.clear();
}

}  // namespace zelvane
