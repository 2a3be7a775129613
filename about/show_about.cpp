// The About dialog shown over the running saver.
#include "about/fabout.h"
#include "runcontrol/run_control.h"
#include "windows/window_utils.h"

namespace zelvane {
namespace {
constexpr int kAboutIconSizePx = 32;
}  // namespace

void ShowAbout(Bool16 loadFirst, int16_t iconId, const std::string& text) {
    // The icon outlives the dialog that shows it; the dialog lives for this call only.
    forms::UniqueIcon icon;
    fabout dialog;
    if (loadFirst) {
        dialog.Load();
        dialog.SetInterval(kAboutAutoCloseMs);
        MakeTopMost(dialog.hWnd());
    }
    icon.reset(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                               kAboutIconSizePx, kAboutIconSizePx, LR_DEFAULTCOLOR)));
    dialog.About(text, icon.get());
}

}  // namespace zelvane
