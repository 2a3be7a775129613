// The controls of the forms: windowless labels, frames and images drawn by their
// form, push buttons (real child windows) and message-loop timers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/runtime.h"
#include "forms/win.h"

namespace forms {

class Form;
class Frame;

// Colours as the forms store them: an RGB value, or a system colour with the high bit set.
using OleColor = uint32_t;
inline constexpr OleColor kSystemColorFlag = 0x80000000u;
constexpr OleColor SystemColor(int index) {
    return kSystemColorFlag | static_cast<OleColor>(index);
}
COLORREF ResolveColor(OleColor color);

inline constexpr int16_t kButtonLeft = 1, kButtonRight = 2, kButtonMiddle = 4;
inline constexpr int16_t kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

inline constexpr int16_t kPointerDefault = 0;
inline constexpr int16_t kPointerCustom = 99;

// Mouse events carry the button, the shift state and the position in twips.
using MouseHandler = std::function<void(int16_t button, int16_t shift, float x, float y)>;

struct FontSpec {
    std::string face = "Arial";
    float points = 8.25f;
    int weight = FW_NORMAL;
    bool underline = false;
    BYTE charset = ANSI_CHARSET;
};

// A memory context and the bitmap in it, kept between paints. The bitmap grows to the largest
// area asked for, up to a quarter of the screen.
class PaintBuffer {
public:
    PaintBuffer() = default;
    PaintBuffer(const PaintBuffer&) = delete;
    PaintBuffer& operator=(const PaintBuffer&) = delete;
    ~PaintBuffer() { Reset(); }
    HDC Context();
    // The kept bitmap, at least width × height, selected into the context; false when the
    // area is more than the kept bitmap may be or no bitmap could be made.
    bool Fit(HDC like, int width, int height);
    // Paints then draw at client coordinates whose area starts at `origin`.
    void SetOrigin(POINT origin);
    void Reset();

private:
    UniqueMemDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;  // the context's own bitmap, put back before the kept one goes
    int width_ = 0, height_ = 0;
    POINT origin_ = {0, 0};
};

// A solid brush kept while its colour stays: a system colour may change at any paint.
class CachedBrush {
public:
    HBRUSH For(COLORREF color);

private:
    UniqueBrush brush_;
    COLORREF color_ = 0;
};

// A control drawn by its form, positioned in twips relative to its container.
class WindowlessControl {
public:
    virtual ~WindowlessControl();
    WindowlessControl() = default;
    WindowlessControl(const WindowlessControl&) = delete;
    WindowlessControl& operator=(const WindowlessControl&) = delete;

    int32_t Left() const { return left_; }
    int32_t Top() const { return top_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Visible() const { return visible_; }
    void SetLeft(int32_t tw);
    void SetTop(int32_t tw);
    void Move(int32_t left, int32_t top, int32_t width, int32_t height);
    void SetVisible(bool visible);

    // A change of the pointer shows on screen at once when the mouse is over the control.
    int16_t MousePointer() const { return mousePointer_; }
    void SetMousePointer(int16_t pointer);
    // The custom pointer, owned by the control; an empty owner means none.
    void SetMouseIcon(UniqueCursor cursor);
    HCURSOR MouseIcon() const { return mouseIcon_.get(); }

    MouseHandler onMouseDown;
    MouseHandler onMouseMove;

    // Pixel rectangle on the form's client area; empty while the form has no window.
    RECT PixelRect() const;
    Frame* Container() const { return container_; }

protected:
    friend class Form;
    friend class Frame;
    virtual void Paint(HDC hDC, const RECT& rc) = 0;
    // The frame that this control is, whose controls the form walks too; nullptr for others.
    virtual Frame* AsFrame() { return nullptr; }
    // Called once the form's window exists, before Form_Load.
    virtual void WindowCreated() {}
    // True for a control that one copy of a kept picture paints whole, every pixel of `box`
    // (its rectangle) opaque, once that picture is ready for contexts like `like`.
    virtual bool PictureReady(HDC /*like*/, const RECT& /*box*/) { return false; }
    // Copies `part` of the ready picture, in client pixels within `box`.
    virtual void CopyPicture(HDC /*hDC*/, const RECT& /*box*/, const RECT& /*part*/) {}
    void Invalidate();
    void SetSizeTw(int32_t width, int32_t height);

    Form* form_ = nullptr;
    Frame* container_ = nullptr;
    int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    int16_t mousePointer_ = kPointerDefault;
    UniqueCursor mouseIcon_;
};

class Label : public WindowlessControl {
public:
    enum class Alignment { kLeft, kCenter };

    // The caption is UTF-8 and drawn through the wide entry points, so that it shows the
    // same whatever the system's ANSI code page and the font's character set.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);
    void SetFont(const FontSpec& font);
    const FontSpec& Font() const { return font_; }
    void SetUnderline(bool underline);
    void SetForeColor(OleColor color);
    void SetBackColor(OleColor color);
    void SetBackOpaque(bool opaque);
    void SetAutoSize(bool autoSize);
    void SetAlignment(Alignment alignment);
    // Distance from the top of one line to the top of the next, in twips; 0 follows the font.
    void SetLineSpacing(int32_t twips);
    int32_t LineSpacing() const { return lineSpacing_; }
    // Width of `text` in the label's font, in twips.
    float TextWidth(const std::string& text);
    // A label drawn often with the same text (one that moves) keeps a picture of it from then
    // on, and copies that while its text, font, colours and size stay. Opaque one-line labels.
    void KeepPicture();

protected:
    void Paint(HDC hDC, const RECT& rc) override;
    void WindowCreated() override { FitToText(); }  // the caption's size, now that it can be measured
    bool PictureReady(HDC like, const RECT& box) override;
    void CopyPicture(HDC hDC, const RECT& box, const RECT& part) override;

private:
    friend class Form;
    void FitToText();
    HFONT GetFont();
    std::vector<std::string> Rows(HDC hDC, int widthPx) const;
    void PaintRows(HDC hDC, const RECT& rc, UINT alignFlags);
    void Draw(HDC hDC, const RECT& rc);

    std::string caption_;
    std::vector<wchar_t> wideCaption_;  // the caption as the platform draws it, converted once
    bool oneLine_ = true;               // the caption has no line break and no tab
    FontSpec font_;
    UniqueFont hFont_;
    CachedBrush backBrush_;
    OleColor foreColor_ = SystemColor(COLOR_BTNTEXT);
    OleColor backColor_ = SystemColor(COLOR_BTNFACE);
    bool opaque_ = true;
    bool autoSize_ = false;
    Alignment alignment_ = Alignment::kLeft;
    int32_t lineSpacing_ = 0;
    // The kept picture, drawn for this size and these colours.
    bool keepsPicture_ = false;
    PaintBuffer picture_;
    bool pictureDrawn_ = false;
    int pictureWidth_ = 0, pictureHeight_ = 0;
    COLORREF pictureFore_ = 0, pictureBack_ = 0;
};

// A container with an etched border; the controls inside it are positioned relative to it.
class Frame : public WindowlessControl {
public:
    void SetBackColor(OleColor color);
    void Add(WindowlessControl& control);  // earlier added lies above later added

protected:
    void Paint(HDC hDC, const RECT& rc) override;
    Frame* AsFrame() override { return this; }
    void WindowCreated() override;

private:
    friend class Form;
    std::vector<WindowlessControl*> children_;
    OleColor backColor_ = SystemColor(COLOR_BTNFACE);
};

// A picture drawn at its own size.
class Image : public WindowlessControl {
public:
    void SetPicture(HICON icon);  // not owned: icons from resources are shared

protected:
    void Paint(HDC hDC, const RECT& rc) override;

private:
    HICON picture_ = nullptr;
};

// A push button: a real child window, the one control that takes the keyboard focus.
class CommandButton {
public:
    CommandButton() = default;
    CommandButton(const CommandButton&) = delete;
    CommandButton& operator=(const CommandButton&) = delete;

    void Setup(const std::string& caption,
               int32_t left,
               int32_t top,
               int32_t width,
               int32_t height,
               const FontSpec& font,
               bool isDefault,
               bool isCancel);
    HWND hWnd() const { return hWnd_; }
    std::function<void()> onClick;

private:
    friend class Form;
    void Create(Form& form);
    void Destroy();

    std::string caption_;
    int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    FontSpec font_;
    bool default_ = false, cancel_ = false;
    HWND hWnd_ = nullptr;
    UniqueFont hFont_;
};

// A message-loop timer of a form; it runs only while its form is loaded.
class Timer {
public:
    Timer() = default;
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int32_t Interval() const { return interval_; }
    void SetInterval(int32_t ms);
    // A timer phased to the clock that Now reads ticks just after each boundary of its
    // interval (a divisor of a second: 500 ms ticks after x.000 and x.500), and keeps that
    // phase through drift and clock changes. An ordinary timer runs free from when it starts.
    bool PhasedToClock() const { return phased_; }
    void SetPhasedToClock(bool phased);
    std::function<void()> onTimer;
    // The clock as read once for the tick being handled: the handler takes the present
    // date-time from it, and a phased timer its phase.
    const ClockReading& TickClock() const { return tickClock_; }

private:
    friend class Form;
    friend uint32_t MsUntilPhasedTick();
    friend void TickDuePhasedTimers();
    void Apply();
    void Disarm();  // no system timer, no phased tick
    void ArmPhased(int32_t msOfSecond);
    void Tick();  // a tick has come: the clock read, the handler run

    Form* form_ = nullptr;
    UINT_PTR id_ = 0;
    bool enabled_ = false;
    bool phased_ = false;
    int32_t interval_ = 0;
    // A phased timer is the message loop's: no system timer, but the tick count at which its
    // next tick is due, in a list that the loop's wait looks at.
    DWORD dueAt_ = 0;
    Timer* nextPhased_ = nullptr;
    ClockReading tickClock_;
    bool clockRead_ = false;  // tickClock_ holds this tick's reading already
};

// For the message loop: the milliseconds until a phased timer's tick is due (0 when one is,
// INFINITE when none runs), and that tick, sent to its form as the system timer's message
// would come.
uint32_t MsUntilPhasedTick();
void TickDuePhasedTimers();

}  // namespace forms
