// Top-level forms on Win32: window creation, message routing, painting of the
// windowless controls and the load / show / unload cycle.
#include "forms/form.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "core/numeric.h"
#include "core/uncovered_rects.h"
#include "forms/runtime.h"
#include "resources/resource_ids.h"

namespace forms {
namespace {

constexpr UINT_PTR kFirstTimerId = 1;

// The part of `a` inside `b`, computed here rather than asked of the system at every tick.
RECT Within(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool Meet(const RECT& a, const RECT& b) {
    const RECT both = Within(a, b);
    return both.left < both.right && both.top < both.bottom;
}

int16_t TppX() {
    static const int16_t tpp = ScreenTwipsPerPixelX();
    return tpp;
}

int16_t TppY() {
    static const int16_t tpp = ScreenTwipsPerPixelY();
    return tpp;
}

DWORD StyleFor(const FormSpec& spec) {
    switch (spec.border) {
        case BorderStyle::kNone:
            return WS_POPUP | WS_CLIPCHILDREN;
        case BorderStyle::kFixedDialog:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
        case BorderStyle::kFixedSingle:
        default:
            return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | (spec.minButton ? WS_MINIMIZEBOX : 0) |
                   (spec.maxButton ? WS_MAXIMIZEBOX : 0);
    }
}

DWORD ExStyleFor(const FormSpec& spec) {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (spec.border == BorderStyle::kFixedDialog)
        ex |= WS_EX_DLGMODALFRAME;
    return ex;
}

struct ModalState {
    HWND modal;
    std::vector<HWND> disabled;
};

BOOL CALLBACK DisableOtherWindow(HWND other, LPARAM param) {
    auto* state = reinterpret_cast<ModalState*>(param);
    if (other != state->modal && ::IsWindowVisible(other) && ::IsWindowEnabled(other)) {
        ::EnableWindow(other, FALSE);
        state->disabled.push_back(other);
    }
    return TRUE;
}

Form* FormOf(HWND hWnd) {
    return reinterpret_cast<Form*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
}

// A test's way to make the system refuse a window: with ZELVANE_WINDOW_QUOTA set, the process
// may create that many form windows, and the next fail as when its window quota or the
// desktop heap has run out.
bool WithinWindowQuota() {
    static const char* quota = std::getenv("ZELVANE_WINDOW_QUOTA");
    static unsigned long left = quota ? std::strtoul(quota, nullptr, 10) : 0;
    if (!quota)
        return true;
    if (left == 0)
        return false;
    --left;
    return true;
}

bool windowCreationFailed = false;

}  // namespace

int32_t TwipsToPixelsX(double twips) {
    return zelvane::ToInt32(twips / TppX());
}

int32_t TwipsToPixelsY(double twips) {
    return zelvane::ToInt32(twips / TppY());
}

float PixelsToTwipsX(int32_t pixels) {
    return static_cast<float>(pixels) * TppX();
}

float PixelsToTwipsY(int32_t pixels) {
    return static_cast<float>(pixels) * TppY();
}

int16_t CurrentShiftState() {
    int16_t shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        shift |= kShiftMask;
    if (::GetKeyState(VK_CONTROL) < 0)
        shift |= kCtrlMask;
    if (::GetKeyState(VK_MENU) < 0)
        shift |= kAltMask;
    return shift;
}

Form::Form(FormSpec spec) : spec_(std::move(spec)) {}

Form::~Form() {
    if (hWnd_) {
        // Teardown order: stop routing to this object, then destroy the window.
        ::SetWindowLongPtrA(hWnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hWnd_);
        hWnd_ = nullptr;
    }
}

void Form::Add(WindowlessControl& control) {
    control.form_ = this;
    controls_.push_back(&control);
    if (Frame* frame = control.AsFrame()) {
        for (WindowlessControl* child : frame->children_)
            child->form_ = this;
    }
}

void Form::Add(CommandButton& button) {
    buttons_.push_back(&button);
}

void Form::Add(Timer& timer) {
    timer.form_ = this;
    timer.id_ = kFirstTimerId + timers_.size();
    timers_.push_back(&timer);
}

bool WindowCreationFailed() {
    return windowCreationFailed;
}

bool Form::Load() {
    if (hWnd_)
        return true;
    static const bool registered = [] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Form::WndProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hIcon = ::LoadIconA(wc.hInstance, MAKEINTRESOURCEA(IDI_CLOCK));
        wc.hCursor = nullptr;        // WM_SETCURSOR chooses per control
        wc.hbrBackground = nullptr;  // WM_PAINT fills the background itself, without flicker
        wc.lpszClassName = kFormClassName;
        return ::RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
    DWORD style = StyleFor(spec_);
    DWORD exStyle = ExStyleFor(spec_);
    RECT rc = {0, 0, TwipsToPixelsX(spec_.clientWidthTw), TwipsToPixelsY(spec_.clientHeightTw)};
    ::AdjustWindowRectEx(&rc, style, FALSE, exStyle);
    int width = rc.right - rc.left;
    int height = rc.bottom - rc.top;
    int x = TwipsToPixelsX(spec_.leftTw);
    int y = TwipsToPixelsY(spec_.topTw);
    if (spec_.startPosition == StartPosition::kCenterScreen) {
        x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    HWND hWnd = WithinWindowQuota()
                    ? ::CreateWindowExA(exStyle, kFormClassName, spec_.caption.c_str(), style, x, y, width, height,
                                        nullptr, nullptr, ::GetModuleHandleA(nullptr), this)
                    : nullptr;
    if (!hWnd) {
        windowCreationFailed = true;
        return false;
    }
    hWnd_ = hWnd;
    for (CommandButton* button : buttons_)
        button->Create(*this);
    for (WindowlessControl* control : controls_)
        control->WindowCreated();
    Form_Load();
    for (Timer* timer : timers_)
        timer->Apply();
    return hWnd_ != nullptr;
}

void Form::Show(bool modal) {
    Load();
    if (!hWnd_)
        return;
    if (modal) {
        // The program's other windows take no input while a modal form is up; they lose
        // it before the form appears, so that no click can reach them past the dialog.
        ModalState state{hWnd_, {}};
        ::EnumThreadWindows(::GetCurrentThreadId(), &DisableOtherWindow, reinterpret_cast<LPARAM>(&state));
        modalDisabled_ = std::move(state.disabled);
    }
    ::ShowWindow(hWnd_, maximized_ ? SW_SHOWMAXIMIZED : SW_SHOW);
    ::UpdateWindow(hWnd_);
    if (!modal)
        return;
    ::SetForegroundWindow(hWnd_);
    while (hWnd_)
        WaitAndDoEvents();
    EnableModalOwners();
}

void Form::EnableModalOwners() {
    for (HWND other : modalDisabled_)
        if (::IsWindow(other))
            ::EnableWindow(other, TRUE);
    modalDisabled_.clear();
}

HDC Form::MemoryDC() {
    return hWnd_ ? paintBuffer_.Context() : nullptr;
}

bool Form::Unload(int16_t unloadMode) {
    if (!hWnd_ || unloading_)
        return true;
    int16_t cancel = 0;
    Form_QueryUnload(cancel, unloadMode);
    if (cancel)
        return false;
    unloading_ = true;
    HWND hWnd = hWnd_;
    for (Timer* timer : timers_)
        timer->Disarm();
    for (CommandButton* button : buttons_)
        button->Destroy();
    // Give the input back before the window goes, so that the system activates the
    // window below instead of another program's.
    EnableModalOwners();
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
    hWnd_ = nullptr;
    ::DestroyWindow(hWnd);
    paintBuffer_.Reset();
    unloading_ = false;
    return true;
}

void Form::SetCaption(const std::string& caption) {
    spec_.caption = caption;
    if (hWnd_)
        ::SetWindowTextA(hWnd_, caption.c_str());
}

int32_t Form::Left() const {
    RECT rc = {};
    if (hWnd_)
        ::GetWindowRect(hWnd_, &rc);
    return static_cast<int32_t>(PixelsToTwipsX(rc.left));
}

int32_t Form::Top() const {
    RECT rc = {};
    if (hWnd_)
        ::GetWindowRect(hWnd_, &rc);
    return static_cast<int32_t>(PixelsToTwipsY(rc.top));
}

int32_t Form::Width() const {
    RECT rc = {};
    if (hWnd_)
        ::GetWindowRect(hWnd_, &rc);
    return static_cast<int32_t>(PixelsToTwipsX(rc.right - rc.left));
}

int32_t Form::Height() const {
    RECT rc = {};
    if (hWnd_)
        ::GetWindowRect(hWnd_, &rc);
    return static_cast<int32_t>(PixelsToTwipsY(rc.bottom - rc.top));
}

void Form::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
    if (hWnd_)
        ::SetWindowPos(hWnd_, nullptr, TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
                       TwipsToPixelsY(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetLeft(int32_t left) {
    Move(left, Top(), Width(), Height());
}

void Form::SetTop(int32_t top) {
    Move(Left(), top, Width(), Height());
}

void Form::Maximize() {
    maximized_ = true;
    if (hWnd_ && ::IsWindowVisible(hWnd_))
        ::ShowWindow(hWnd_, SW_SHOWMAXIMIZED);
}

bool Form::PreTranslate(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd)
        return false;
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    Form* form = root ? FormOf(root) : nullptr;
    if (!form || form->buttons_.empty())
        return false;
    return ::IsDialogMessageA(root, &msg) != FALSE;
}

LRESULT CALLBACK Form::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* creating = static_cast<Form*>(create->lpCreateParams);
        creating->hWnd_ = hWnd;  // handlers run before CreateWindowExA returns
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
    }
    Form* form = FormOf(hWnd);
    if (msg == WM_NCDESTROY)
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
    if (!form)
        return ::DefWindowProcA(hWnd, msg, wParam, lParam);
    return form->HandleMessage(msg, wParam, lParam);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    ++handling_;
    const LRESULT result = RouteMessage(msg, wParam, lParam);
    --handling_;
    FlushInvalidation();
    return result;
}

LRESULT Form::RouteMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;
        case WM_PRINTCLIENT:
            return OnPrintClient(reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORBTN:
            return OnCtlColorButton(reinterpret_cast<HDC>(wParam));
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            return OnSystemChange(msg, wParam, lParam);
        case WM_DISPLAYCHANGE:
            Form_DisplayChange();
            return 0;
        case WM_CLOSE:
            return OnClose();
        case WM_LBUTTONDOWN:
            return OnMouseButton(kButtonLeft, lParam);
        case WM_RBUTTONDOWN:
            return OnMouseButton(kButtonRight, lParam);
        case WM_MBUTTONDOWN:
            return OnMouseButton(kButtonMiddle, lParam);
        case WM_MOUSEMOVE:
            return OnMouseMove(wParam, lParam);
        case WM_SETCURSOR:
            return OnSetCursor(wParam, lParam);
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return OnKeyDown(msg, wParam, lParam);
        case WM_CHAR:
            Form_KeyPress(static_cast<int16_t>(wParam));
            return 0;
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_TIMER:
            return OnTimer(wParam);
        case WM_ACTIVATE:
            return OnActivate(wParam, lParam);
        case WM_ACTIVATEAPP:
            return OnActivateApp(wParam, lParam);
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS;
        case DM_GETDEFID:
            for (size_t i = 0; i < buttons_.size(); ++i)
                if (buttons_[i]->default_)
                    return MAKELRESULT(kFirstButtonId + i, DC_HASDEFID);
            return 0;
        default:
            return ::DefWindowProcA(hWnd_, msg, wParam, lParam);
    }
}

LRESULT Form::OnPaint() {
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(hWnd_, &ps);
    PaintClient(hDC, ps.rcPaint);
    ::EndPaint(hWnd_, &ps);
    return 0;
}

void Form::PaintClient(HDC hDC, const RECT& rc) {
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0 || PaintUnbuffered(hDC, rc))
        return;
    // Draw into memory first: controls drawn over the background must not flicker. The colour
    // is looked up at each paint, as the controls do: a system colour may change while the
    // form is open.
    const auto draw = [&](HDC mem) {
        ::FillRect(mem, &rc, BackBrush());
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
            PaintControl(mem, **it, rc);
        ::BitBlt(hDC, rc.left, rc.top, width, height, mem, rc.left, rc.top, SRCCOPY);
    };
    if (hWnd_ && paintBuffer_.Fit(hDC, width, height)) {
        paintBuffer_.SetOrigin({rc.left, rc.top});
        draw(paintBuffer_.Context());
        return;
    }
    // Too large for the kept buffer (a whole dialog on a small screen): a bitmap for this paint.
    UniqueMemDC mem(::CreateCompatibleDC(hDC));
    UniqueBitmap bitmap(::CreateCompatibleBitmap(hDC, width, height));
    SelectGuard keepBitmap(mem.get(), bitmap.get());
    ::SetViewportOrgEx(mem.get(), -rc.left, -rc.top, nullptr);
    draw(mem.get());
}

// A themed push button leaves its rounded corners to its parent, and asks it to paint its
// client area into the button's context: the form's own background and controls show there.
LRESULT Form::OnPrintClient(HDC hDC) {
    RECT rc;
    if (hWnd_ && ::GetClientRect(hWnd_, &rc))
        PaintClient(hDC, rc);
    return 0;
}

// What a button draws behind itself where it draws nothing: the form's colour.
LRESULT Form::OnCtlColorButton(HDC hDC) {
    ::SetBkColor(hDC, ResolveColor(spec_.backColor));
    return reinterpret_cast<LRESULT>(BackBrush());
}

// The colours, High Contrast, the work area or the user's formats may have changed: what the
// form shows is read again (colours are looked up at each paint, the formats' names at the
// next text that uses them) and painted anew.
LRESULT Form::OnSystemChange(UINT msg, WPARAM wParam, LPARAM lParam) {
    constexpr std::string_view kFormatsArea = "intl";
    if (msg == WM_SETTINGCHANGE && lParam && reinterpret_cast<const char*>(lParam) == kFormatsArea)
        LocaleFormatsChanged();
    if (msg == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA)
        Form_DisplayChange();
    Form_ColorsChange();
    if (hWnd_)
        ::InvalidateRect(hWnd_, nullptr, FALSE);
    return 0;
}

// Pictures that one copy paints, side by side, and the background around them: each pixel is
// painted once, so nothing flickers without a buffer, and a tick of the clock touches each of
// its pixels once instead of three times (fill, picture, copy of the buffer).
bool Form::PaintUnbuffered(HDC hDC, const RECT& rc) {
    constexpr size_t kMostPictures = zelvane::kMostBoxes;  // the clock has two
    WindowlessControl* pictures[kMostPictures];
    RECT boxes[kMostPictures];
    size_t count = 0;
    for (WindowlessControl* control : controls_) {
        if (!control->visible_)
            continue;
        const RECT box = control->PixelRect();
        if (!Meet(box, rc))
            continue;
        if (count == kMostPictures || control->AsFrame() || !control->PictureReady(hDC, box))
            return false;
        for (size_t i = 0; i < count; ++i)
            if (Meet(box, boxes[i]))
                return false;
        pictures[count] = control;
        boxes[count++] = box;
    }
    // The pieces around the pictures, rather than a clip that leaves them out: a change of a
    // window context's clip costs the display driver a round of its own.
    RECT around[zelvane::MostUncoveredRects(kMostPictures)];
    const size_t pieces = zelvane::UncoveredRects(rc, boxes, count, around);
    const HBRUSH back = BackBrush();
    for (size_t i = 0; i < pieces; ++i)
        ::FillRect(hDC, &around[i], back);
    for (size_t i = 0; i < count; ++i)
        pictures[i]->CopyPicture(hDC, boxes[i], Within(boxes[i], rc));
    return true;
}

void Form::PaintControl(HDC hDC, WindowlessControl& control, const RECT& clip) {
    if (!control.visible_)
        return;
    const RECT rc = control.PixelRect();
    if (Meet(rc, clip))
        control.Paint(hDC, rc);
    if (Frame* frame = control.AsFrame()) {
        for (auto it = frame->children_.rbegin(); it != frame->children_.rend(); ++it)
            PaintControl(hDC, **it, clip);
    }
}

void Form::InvalidatePixels(const RECT& rc) {
    if (!hWnd_)
        return;
    if (handling_ == 0) {
        ::InvalidateRect(hWnd_, &rc, FALSE);
        return;
    }
    // A tick moves both clock texts, which lie one above the other: their bounds are one area.
    if (paintPending_) {
        pendingPaint_ = {std::min(pendingPaint_.left, rc.left), std::min(pendingPaint_.top, rc.top),
                         std::max(pendingPaint_.right, rc.right), std::max(pendingPaint_.bottom, rc.bottom)};
    } else {
        pendingPaint_ = rc;
        paintPending_ = true;
    }
}

void Form::FlushInvalidation() {
    if (!paintPending_)
        return;
    paintPending_ = false;
    if (!hWnd_)
        return;
    // Painted at once rather than left to a paint message: a tick of the clock then costs no
    // message and none of its round trips to the system. The window's context leaves out
    // what covers it, and a hidden window is painted whole when it is shown.
    WindowDC dc(hWnd_);
    if (dc.get())
        PaintClient(dc.get(), pendingPaint_);
    else
        ::InvalidateRect(hWnd_, &pendingPaint_, FALSE);
}

void Form::InvalidateMove(const RECT& before, const RECT& after) {
    // A step of a few pixels: the two boxes overlap, and their bounds are one area to paint.
    if (before.left <= after.right && after.left <= before.right && before.top <= after.bottom &&
        after.top <= before.bottom) {
        const RECT both = {std::min(before.left, after.left), std::min(before.top, after.top),
                           std::max(before.right, after.right), std::max(before.bottom, after.bottom)};
        InvalidatePixels(both);
        return;
    }
    InvalidatePixels(before);
    InvalidatePixels(after);
}

LRESULT Form::OnClose() {
    Unload(kUnloadFromControlMenu);
    return 0;
}

WindowlessControl* Form::HitTest(POINT pt) const {
    for (WindowlessControl* control : controls_) {
        if (!control->visible_)
            continue;
        RECT rc = control->PixelRect();
        if (!::PtInRect(&rc, pt))
            continue;
        if (Frame* frame = control->AsFrame()) {
            for (WindowlessControl* child : frame->children_) {
                RECT inner = child->PixelRect();
                if (child->visible_ && ::PtInRect(&inner, pt))
                    return child;
            }
        }
        return control;
    }
    return nullptr;
}

// Mouse events go to the control under the point, in the control's own twips, or to
// the form itself where there is none.
void Form::DispatchMouse(MouseEvent event, int16_t button, LPARAM lParam) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    int16_t shift = CurrentShiftState();
    if (WindowlessControl* control = HitTest(pt)) {
        RECT rc = control->PixelRect();
        const MouseHandler& handler = event == MouseEvent::kDown ? control->onMouseDown : control->onMouseMove;
        if (handler)
            handler(button, shift, PixelsToTwipsX(pt.x - rc.left), PixelsToTwipsY(pt.y - rc.top));
        return;
    }
    if (event == MouseEvent::kDown)
        Form_MouseDown(button, shift, PixelsToTwipsX(pt.x), PixelsToTwipsY(pt.y));
    else
        Form_MouseMove(button, shift, PixelsToTwipsX(pt.x), PixelsToTwipsY(pt.y));
}

LRESULT Form::OnMouseButton(int16_t button, LPARAM lParam) {
    DispatchMouse(MouseEvent::kDown, button, lParam);
    return 0;
}

LRESULT Form::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    int16_t button = 0;
    if (wParam & MK_LBUTTON)
        button |= kButtonLeft;
    if (wParam & MK_RBUTTON)
        button |= kButtonRight;
    if (wParam & MK_MBUTTON)
        button |= kButtonMiddle;
    DispatchMouse(MouseEvent::kMove, button, lParam);
    return 0;
}

LRESULT Form::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) != hWnd_ || LOWORD(lParam) != HTCLIENT)
        return ::DefWindowProcA(hWnd_, WM_SETCURSOR, wParam, lParam);
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(hWnd_, &pt);
    ::SetCursor(PointerAt(pt));
    return TRUE;
}

HCURSOR Form::PointerAt(POINT clientPoint) const {
    WindowlessControl* control = HitTest(clientPoint);
    if (control && control->mousePointer_ == kPointerCustom && control->mouseIcon_)
        return control->mouseIcon_.get();
    return ::LoadCursorA(nullptr, IDC_ARROW);
}

// The platform asks for the pointer (WM_SETCURSOR) before the mouse-move event that
// may change it: a control that changes its pointer under the mouse shows it at once.
void Form::PointerChanged(const WindowlessControl& control) {
    if (!hWnd_ || ::GetCapture())
        return;
    POINT pt;
    if (!::GetCursorPos(&pt) || ::WindowFromPoint(pt) != hWnd_)
        return;
    ::ScreenToClient(hWnd_, &pt);
    if (HitTest(pt) == &control)
        ::SetCursor(PointerAt(pt));
}

LRESULT Form::OnKeyDown(UINT msg, WPARAM wParam, LPARAM lParam) {
    Form_KeyDown(static_cast<int16_t>(wParam), CurrentShiftState());
    // System keys go on to the default procedure: Alt+F4 must still close the window.
    if (msg == WM_SYSKEYDOWN && hWnd_)
        return ::DefWindowProcA(hWnd_, msg, wParam, lParam);
    return 0;
}

void Form::ClickButton(int id) {
    size_t index = static_cast<size_t>(id - kFirstButtonId);
    if (index < buttons_.size() && buttons_[index]->onClick)
        buttons_[index]->onClick();
}

LRESULT Form::OnCommand(WPARAM wParam, LPARAM lParam) {
    int id = LOWORD(wParam);
    if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
        // IDOK and IDCANCEL come from the dialog keys: they press the default and cancel buttons.
        if (id == IDOK || id == IDCANCEL) {
            for (size_t i = 0; i < buttons_.size(); ++i) {
                if ((id == IDOK && buttons_[i]->default_) || (id == IDCANCEL && buttons_[i]->cancel_)) {
                    ClickButton(static_cast<int>(kFirstButtonId + i));
                    return 0;
                }
            }
            return 0;
        }
        ClickButton(id);
    }
    return 0;
}

LRESULT Form::OnTimer(WPARAM wParam) {
    for (Timer* timer : timers_) {
        if (timer->id_ == wParam && timer->enabled_ && timer->interval_ > 0) {
            timer->Tick();
            break;
        }
    }
    return 0;
}

LRESULT Form::OnActivate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != WA_INACTIVE && !buttons_.empty() && buttons_.front()->hWnd_) {
        ::SetFocus(buttons_.front()->hWnd_);
        return 0;
    }
    return ::DefWindowProcA(hWnd_, WM_ACTIVATE, wParam, lParam);
}

LRESULT Form::OnActivateApp(WPARAM wParam, LPARAM lParam) {
    if (!wParam)
        Form_LostForeground();
    return hWnd_ ? ::DefWindowProcA(hWnd_, WM_ACTIVATEAPP, wParam, lParam) : 0;
}

}  // namespace forms
