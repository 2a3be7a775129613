// The link labels' pointer operations.
#include "about/hand_cursor.h"

#include "resources/resource_ids.h"

namespace zelvane {
namespace {
constexpr int kResourceOwnSize = 0;  // with no LR_DEFAULTSIZE: the size stored in the resource
}  // namespace

void SetHandCursor(forms::Label& label) {
    label.SetMousePointer(forms::kPointerCustom);
    // Not LR_SHARED: the label owns this copy and destroys it when it is replaced. Should
    // the load fail, the label keeps a custom style without a picture and the form shows
    // the arrow there: a link without its hand still works, an error here would end the run.
    HANDLE cursor = ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HANDPOINT), IMAGE_CURSOR,
                                 kResourceOwnSize, kResourceOwnSize, LR_DEFAULTCOLOR);
    label.SetMouseIcon(forms::UniqueCursor(static_cast<HCURSOR>(cursor)));
}

void SetDefaultCursor(forms::Label& label) {
    label.SetMousePointer(forms::kPointerDefault);
    label.SetMouseIcon(forms::UniqueCursor());
}

}  // namespace zelvane
