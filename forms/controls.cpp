// The controls on Win32: labels, frames and images painted by their form, push
// buttons as child windows, timers on the form's window.
#include "forms/controls.h"

#include <algorithm>

#include "core/clock_phase.h"
#include "core/numeric.h"
#include "forms/form.h"
#include "forms/runtime.h"

namespace forms {
namespace {

constexpr int kPointsPerInch = 72;
constexpr int kLabelDrawFlags = DT_NOPREFIX | DT_EXPANDTABS;

constexpr char kBlank = ' ';
constexpr char kCR = '\r';
constexpr char kLF = '\n';

// A cursor about to be destroyed must not stay on screen: the platform is handed the
// replacement (or the arrow) first.
void LetGoOfCursor(HCURSOR leaving, HCURSOR replacement) {
    if (leaving && ::GetCursor() == leaving)
        ::SetCursor(replacement ? replacement : ::LoadCursorA(nullptr, IDC_ARROW));
}

// The text's lines: CR LF, CR alone and LF alone each end one.
std::vector<std::string> Paragraphs(const std::string& text) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kCR || text[i] == kLF) {
            if (text[i] == kCR && i + 1 < text.size() && text[i + 1] == kLF)
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

int TextWidthPx(HDC hDC, const std::string& text) {
    std::vector<wchar_t> wide;
    WideFromUtf8(text, wide);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(hDC, wide.data(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

int DrawWide(HDC hDC, const std::vector<wchar_t>& wide, RECT* rc, UINT flags) {
    return ::DrawTextW(hDC, wide.data(), static_cast<int>(wide.size()), rc, flags);
}

int DrawUtf8(HDC hDC, const std::string& text, RECT* rc, UINT flags) {
    std::vector<wchar_t> wide;
    WideFromUtf8(text, wide);
    return DrawWide(hDC, wide, rc, flags);
}

UniqueFont CreateFontFor(const FontSpec& spec) {
    LOGFONTA lf = {};
    HDC screen = ::GetDC(nullptr);
    // Fractional point sizes (8.25, 15.75) are kept exact until the final rounding.
    lf.lfHeight = -zelvane::ToInt32(spec.points * ::GetDeviceCaps(screen, LOGPIXELSY) / kPointsPerInch);
    ::ReleaseDC(nullptr, screen);
    lf.lfWeight = spec.weight;
    lf.lfUnderline = spec.underline ? TRUE : FALSE;
    lf.lfCharSet = spec.charset;
    lstrcpynA(lf.lfFaceName, spec.face.c_str(), LF_FACESIZE);
    return UniqueFont(::CreateFontIndirectA(&lf));
}

}  // namespace

COLORREF ResolveColor(OleColor color) {
    if (color & kSystemColorFlag)
        return ::GetSysColor(static_cast<int>(color & ~kSystemColorFlag));
    return static_cast<COLORREF>(color);
}

HBRUSH CachedBrush::For(COLORREF color) {
    if (!brush_ || color != color_) {
        brush_.reset(::CreateSolidBrush(color));
        color_ = color;
    }
    return brush_.get();
}

// --- WindowlessControl -------------------------------------------------------

WindowlessControl::~WindowlessControl() {
    LetGoOfCursor(mouseIcon_.get(), nullptr);
}

void WindowlessControl::SetMousePointer(int16_t pointer) {
    mousePointer_ = pointer;
    if (form_)
        form_->PointerChanged(*this);
}

void WindowlessControl::SetMouseIcon(UniqueCursor cursor) {
    LetGoOfCursor(mouseIcon_.get(), cursor.get());
    mouseIcon_ = std::move(cursor);
    if (form_)
        form_->PointerChanged(*this);
}

RECT WindowlessControl::PixelRect() const {
    int32_t left = left_, top = top_;
    if (container_) {
        left += container_->left_;
        top += container_->top_;
    }
    RECT rc;
    rc.left = TwipsToPixelsX(left);
    rc.top = TwipsToPixelsY(top);
    rc.right = rc.left + TwipsToPixelsX(width_);
    rc.bottom = rc.top + TwipsToPixelsY(height_);
    return rc;
}

void WindowlessControl::Invalidate() {
    if (form_ && form_->hWnd())
        form_->InvalidatePixels(PixelRect());
}

void WindowlessControl::SetLeft(int32_t tw) {
    Move(tw, top_, width_, height_);
}

void WindowlessControl::SetTop(int32_t tw) {
    Move(left_, tw, width_, height_);
}

void WindowlessControl::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    const RECT before = PixelRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (form_ && form_->hWnd())
        form_->InvalidateMove(before, PixelRect());
}

void WindowlessControl::SetSizeTw(int32_t width, int32_t height) {
    Move(left_, top_, width, height);
}

void WindowlessControl::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    Invalidate();
}

// --- PaintBuffer -------------------------------------------------------------

HDC PaintBuffer::Context() {
    if (!dc_)
        dc_.reset(::CreateCompatibleDC(nullptr));
    return dc_.get();
}

bool PaintBuffer::Fit(HDC like, int width, int height) {
    if (bitmap_ && width <= width_ && height <= height_)
        return true;
    const int newWidth = std::max(width, width_), newHeight = std::max(height, height_);
    constexpr int kKeptShareOfScreen = 4;
    const long long screenPixels =
        static_cast<long long>(::GetSystemMetrics(SM_CXSCREEN)) * ::GetSystemMetrics(SM_CYSCREEN);
    if (static_cast<long long>(newWidth) * newHeight > screenPixels / kKeptShareOfScreen || !Context())
        return false;
    UniqueBitmap bitmap(::CreateCompatibleBitmap(like, newWidth, newHeight));
    if (!bitmap)
        return false;
    HGDIOBJ previous = ::SelectObject(dc_.get(), bitmap.get());
    if (!original_)
        original_ = previous;
    bitmap_ = std::move(bitmap);  // the one it replaces is no longer selected anywhere
    width_ = newWidth;
    height_ = newHeight;
    return true;
}

void PaintBuffer::SetOrigin(POINT origin) {
    if (origin.x != origin_.x || origin.y != origin_.y) {
        ::SetViewportOrgEx(dc_.get(), -origin.x, -origin.y, nullptr);
        origin_ = origin;
    }
}

void PaintBuffer::Reset() {
    // Teardown order: the context's own bitmap back, then the kept one and the context go.
    if (original_)
        ::SelectObject(dc_.get(), original_);
    original_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    width_ = height_ = 0;
    origin_ = {0, 0};
}

// --- Label -------------------------------------------------------------------

void Label::SetCaption(const std::string& text) {
    if (text == caption_)
        return;
    caption_ = text;
    pictureDrawn_ = false;
    WideFromUtf8(caption_, wideCaption_);
    oneLine_ = caption_.find_first_of("\t\r\n") == std::string::npos;
    Invalidate();
    FitToText();
}

void Label::SetFont(const FontSpec& font) {
    font_ = font;
    hFont_.reset();
    pictureDrawn_ = false;
    Invalidate();
    FitToText();
}

void Label::SetUnderline(bool underline) {
    if (font_.underline == underline)
        return;
    font_.underline = underline;
    hFont_.reset();
    pictureDrawn_ = false;
    Invalidate();
}

void Label::SetForeColor(OleColor color) {
    foreColor_ = color;
    Invalidate();
}

void Label::SetBackColor(OleColor color) {
    backColor_ = color;
    Invalidate();
}

void Label::SetBackOpaque(bool opaque) {
    opaque_ = opaque;
    Invalidate();
}

void Label::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    FitToText();
}

void Label::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void Label::SetLineSpacing(int32_t twips) {
    lineSpacing_ = twips;
    Invalidate();
    FitToText();
}

void Label::KeepPicture() {
    keepsPicture_ = true;
}

float Label::TextWidth(const std::string& text) {
    UniqueMemDC measure(::CreateCompatibleDC(nullptr));
    SelectGuard font(measure.get(), GetFont());
    return PixelsToTwipsX(TextWidthPx(measure.get(), text));
}

HFONT Label::GetFont() {
    if (!hFont_)
        hFont_ = CreateFontFor(font_);
    return hFont_.get();
}

void Label::FitToText() {
    if (!autoSize_)
        return;
    // A memory context measures text as the screen's does, without what a screen context
    // costs the display driver each time (under Wine, round trips to the server and a
    // reading of the X resources): the clock's labels are sized twice a second, in their
    // form's context, or in one of their own before the form has a window.
    UniqueMemDC own;
    HDC hDC = form_ ? form_->MemoryDC() : nullptr;
    if (!hDC) {
        own.reset(::CreateCompatibleDC(nullptr));
        hDC = own.get();
    }
    RECT rc = {0, 0, 0, 0};
    {
        SelectGuard font(hDC, GetFont());
        if (lineSpacing_ > 0) {
            const std::vector<std::string> rows = Rows(hDC, 0);
            for (const std::string& row : rows)
                rc.right = std::max<LONG>(rc.right, TextWidthPx(hDC, row));
            rc.bottom = static_cast<LONG>(rows.size()) * TwipsToPixelsY(lineSpacing_);
        } else if (caption_.empty()) {
            TEXTMETRICA tm;
            ::GetTextMetricsA(hDC, &tm);
            rc.bottom = tm.tmHeight;
        } else {
            DrawWide(hDC, wideCaption_, &rc, kLabelDrawFlags | DT_CALCRECT);
        }
    }
    // An underline drawn later stays inside this box: the size follows only the text.
    SetSizeTw(static_cast<int32_t>(PixelsToTwipsX(rc.right - rc.left)),
              static_cast<int32_t>(PixelsToTwipsY(rc.bottom - rc.top)));
}

void Label::Paint(HDC hDC, const RECT& rc) {
    if (PictureReady(hDC, rc)) {
        CopyPicture(hDC, rc, rc);
        return;
    }
    Draw(hDC, rc);
}

void Label::Draw(HDC hDC, const RECT& rc) {
    if (opaque_)
        ::FillRect(hDC, &rc, backBrush_.For(ResolveColor(backColor_)));
    SelectGuard font(hDC, GetFont());
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ResolveColor(foreColor_));
    RECT text = rc;
    UINT align = alignment_ == Alignment::kCenter ? DT_CENTER : DT_LEFT;
    if (lineSpacing_ > 0) {
        PaintRows(hDC, rc, align);
        return;
    }
    if (autoSize_ && oneLine_) {
        // The box is the text's own, so the text starts at its corner whatever the alignment:
        // the one call that DrawText would make, without measuring the text again.
        ::ExtTextOutW(hDC, rc.left, rc.top, ETO_CLIPPED, &rc, wideCaption_.data(),
                      static_cast<UINT>(wideCaption_.size()), nullptr);
        return;
    }
    UINT flags = kLabelDrawFlags | align;
    if (!autoSize_)
        flags |= DT_WORDBREAK;
    DrawWide(hDC, wideCaption_, &text, flags);
}

// The clock's texts move twice a second and change at most once a second: a copy of the
// picture costs less than drawing the text again. The colours are compared as resolved, since
// a system colour may change at any paint. False when no picture can be kept: drawn directly.
bool Label::PictureReady(HDC like, const RECT& box) {
    if (!keepsPicture_ || !opaque_ || !autoSize_ || !oneLine_ || lineSpacing_ != 0)
        return false;
    const int width = box.right - box.left, height = box.bottom - box.top;
    const COLORREF fore = ResolveColor(foreColor_), back = ResolveColor(backColor_);
    if (pictureDrawn_ && width == pictureWidth_ && height == pictureHeight_ && fore == pictureFore_ &&
        back == pictureBack_)
        return true;
    pictureDrawn_ = picture_.Fit(like, width, height);
    if (!pictureDrawn_)
        return false;
    Draw(picture_.Context(), {0, 0, width, height});
    pictureWidth_ = width;
    pictureHeight_ = height;
    pictureFore_ = fore;
    pictureBack_ = back;
    return true;
}

void Label::CopyPicture(HDC hDC, const RECT& box, const RECT& part) {
    ::BitBlt(hDC, part.left, part.top, part.right - part.left, part.bottom - part.top, picture_.Context(),
             part.left - box.left, part.top - box.top, SRCCOPY);
}

// With a line spacing of its own the label lays out its rows itself, since the platform
// draws lines only at the font's height. A label that does not size itself wraps at
// blanks like the platform's word break; a word wider than the label keeps its row.
std::vector<std::string> Label::Rows(HDC hDC, int widthPx) const {
    std::vector<std::string> rows;
    const bool wrap = !autoSize_ && widthPx > 0;
    for (const std::string& line : Paragraphs(caption_)) {
        size_t start = 0;
        for (;;) {
            std::string rest = line.substr(start);
            const size_t lastInk = rest.find_last_not_of(kBlank);
            if (!wrap || lastInk == std::string::npos || TextWidthPx(hDC, rest.substr(0, lastInk + 1)) <= widthPx) {
                rows.push_back(rest);
                break;
            }
            // The last blank after a word at which the row still fits, else the first one.
            size_t cut = std::string::npos;
            for (size_t b = line.find(kBlank, start + 1); b != std::string::npos; b = line.find(kBlank, b + 1)) {
                if (line[b - 1] == kBlank)
                    continue;
                if (cut != std::string::npos && TextWidthPx(hDC, line.substr(start, b - start)) > widthPx)
                    break;
                cut = b;
            }
            if (cut == std::string::npos) {
                rows.push_back(rest);
                break;
            }
            rows.push_back(line.substr(start, cut - start));
            start = line.find_first_not_of(kBlank, cut);
            if (start == std::string::npos)
                break;
        }
    }
    return rows;
}

void Label::PaintRows(HDC hDC, const RECT& rc, UINT alignFlags) {
    const int pitch = TwipsToPixelsY(lineSpacing_);
    RECT row = rc;
    for (const std::string& text : Rows(hDC, rc.right - rc.left)) {
        if (row.top >= rc.bottom)
            break;
        DrawUtf8(hDC, text, &row, kLabelDrawFlags | DT_SINGLELINE | alignFlags);
        row.top += pitch;
    }
}

// --- Frame -------------------------------------------------------------------

void Frame::SetBackColor(OleColor color) {
    backColor_ = color;
    Invalidate();
}

void Frame::Add(WindowlessControl& control) {
    control.container_ = this;
    control.form_ = form_;
    children_.push_back(&control);
}

void Frame::WindowCreated() {
    for (WindowlessControl* child : children_)
        child->WindowCreated();
}

void Frame::Paint(HDC hDC, const RECT& rc) {
    UniqueBrush back(::CreateSolidBrush(ResolveColor(backColor_)));
    ::FillRect(hDC, &rc, back.get());
    RECT edge = rc;
    ::DrawEdge(hDC, &edge, EDGE_ETCHED, BF_RECT);
}

// --- Image -------------------------------------------------------------------

void Image::SetPicture(HICON icon) {
    picture_ = icon;
    Invalidate();
}

void Image::Paint(HDC hDC, const RECT& rc) {
    if (picture_)
        ::DrawIconEx(hDC, rc.left, rc.top, picture_, 0, 0, 0, nullptr, DI_NORMAL);
}

// --- CommandButton -----------------------------------------------------------

void CommandButton::Setup(const std::string& caption,
                          int32_t left,
                          int32_t top,
                          int32_t width,
                          int32_t height,
                          const FontSpec& font,
                          bool isDefault,
                          bool isCancel) {
    caption_ = caption;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    font_ = font;
    default_ = isDefault;
    cancel_ = isCancel;
}

void CommandButton::Create(Form& form) {
    int index = 0;
    for (CommandButton* b : form.buttons_) {
        if (b == this)
            break;
        ++index;
    }
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    hWnd_ = ::CreateWindowExA(0, "BUTTON", caption_.c_str(), style, TwipsToPixelsX(left_), TwipsToPixelsY(top_),
                              TwipsToPixelsX(width_), TwipsToPixelsY(height_), form.hWnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + index)),
                              ::GetModuleHandleA(nullptr), nullptr);
    hFont_ = CreateFontFor(font_);
    ::SendMessageA(hWnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hFont_.get()), FALSE);
}

void CommandButton::Destroy() {
    if (hWnd_)
        ::DestroyWindow(hWnd_);
    hWnd_ = nullptr;
}

// --- Timer -------------------------------------------------------------------

namespace {

// Late enough after a boundary that the whole-second reading has moved on.
constexpr int32_t kPhaseLagMs = 5;
// How far before its boundary a phased wake-up may come: a wait may end up to a clock
// interrupt early (1/64 s by default on Windows), and a tick count read between two of them
// is behind by as much again.
constexpr int32_t kPhaseEarlyMs = 50;

// The phased timers that run, for the message loop's wait.
Timer*& FirstPhased() {
    static Timer* first = nullptr;
    return first;
}

}  // namespace

Timer::~Timer() {
    Disarm();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Apply();
}

void Timer::SetInterval(int32_t ms) {
    interval_ = ms;
    Apply();
}

void Timer::SetPhasedToClock(bool phased) {
    phased_ = phased;
    Apply();
}

void Timer::Apply() {
    if (!form_ || !form_->hWnd())
        return;
    Disarm();
    if (!enabled_ || interval_ <= 0)
        return;
    if (!phased_) {
        ::SetTimer(form_->hWnd(), id_, static_cast<UINT>(interval_), nullptr);
        return;
    }
    // A phased timer is woken by the message loop's own wait rather than by a system timer:
    // each tick then costs the one wait, not a timer message fetched and a wait made ready.
    nextPhased_ = FirstPhased();
    FirstPhased() = this;
    ArmPhased(ClockMilliseconds());
}

void Timer::Disarm() {
    if (form_ && form_->hWnd())
        ::KillTimer(form_->hWnd(), id_);
    for (Timer** link = &FirstPhased(); *link; link = &(*link)->nextPhased_) {
        if (*link == this) {
            *link = nextPhased_;
            break;
        }
    }
    nextPhased_ = nullptr;
}

void Timer::ArmPhased(int32_t msOfSecond) {
    dueAt_ = ::GetTickCount() + zelvane::MsUntilAfterNextBoundary(msOfSecond, interval_, kPhaseLagMs);
}

void Timer::Tick() {
    // The message loop read the clock already for a phased tick that it sends.
    if (!clockRead_)
        tickClock_ = ReadClock();
    clockRead_ = false;
    if (onTimer)
        onTimer();
}

uint32_t MsUntilPhasedTick() {
    uint32_t least = INFINITE;
    const DWORD now = ::GetTickCount();
    for (const Timer* timer = FirstPhased(); timer; timer = timer->nextPhased_) {
        // Differences, not the counts themselves: the tick count wraps after 49.7 days.
        const auto left = static_cast<int32_t>(timer->dueAt_ - now);
        least = std::min(least, static_cast<uint32_t>(std::max(left, 0)));
    }
    return least;
}

void TickDuePhasedTimers() {
    const DWORD now = ::GetTickCount();
    for (Timer* timer = FirstPhased(); timer; timer = timer->nextPhased_) {
        if (static_cast<int32_t>(now - timer->dueAt_) < 0)
            continue;
        // Armed again first, so that a tick its window cannot take is not due at once for
        // ever. A wake-up that came before its boundary would show the last second again: it
        // waits for the boundary instead.
        const ClockReading reading = ReadClock();
        timer->ArmPhased(reading.milliseconds);
        if (zelvane::CameBeforeBoundary(reading.milliseconds, timer->interval_, kPhaseEarlyMs))
            return;
        timer->tickClock_ = reading;
        timer->clockRead_ = true;
        // The handler may stop timers and unload forms: one tick a call, the list left.
        ::SendMessageA(timer->form_->hWnd(), WM_TIMER, timer->id_, 0);
        return;
    }
}

}  // namespace forms
