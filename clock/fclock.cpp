// The full-screen clock window.
#include "clock/fclock.h"

#include "core/date_time.h"
#include "core/numeric.h"
#include "forms/runtime.h"
#include "runcontrol/run_control.h"
#include "program/globals.h"

namespace zelvane {
namespace {

// Stored properties (twips, points, RGB).
constexpr int32_t kDesignClientWidthTw = 6150;
constexpr int32_t kDesignClientHeightTw = 4020;
constexpr int32_t kTimerIntervalMs = 500;
constexpr forms::OleColor kBackColor = 0x000000;
constexpr forms::OleColor kTextColor = 0x00FFFF;  // yellow
constexpr char kDesignCaption[] = "00:00:00";

struct LabelDesign {
    int32_t left, top, width, height;
    float points;
    int weight;
};
constexpr LabelDesign kLabel1 = {0, 1710, 5715, 1665, 72.0f, FW_BOLD};
constexpr LabelDesign kLabel2 = {1905, 1410, 1905, 540, 24.0f, FW_NORMAL};

forms::FormSpec ClockSpec() {
    forms::FormSpec spec;
    spec.border = forms::BorderStyle::kNone;
    spec.caption = "";
    spec.clientWidthTw = kDesignClientWidthTw;
    spec.clientHeightTw = kDesignClientHeightTw;
    spec.backColor = kBackColor;
    return spec;
}

void ApplyDesign(forms::Label& label, const LabelDesign& design) {
    forms::FontSpec font;
    font.face = "Arial";
    font.points = design.points;
    font.weight = design.weight;
    font.charset = ANSI_CHARSET;
    label.Move(design.left, design.top, design.width, design.height);
    label.SetFont(font);
    label.SetForeColor(kTextColor);
    label.SetBackColor(kBackColor);
    label.SetBackOpaque(true);
    label.SetAlignment(forms::Label::Alignment::kCenter);
    label.SetCaption(kDesignCaption);
    label.SetAutoSize(true);
    label.KeepPicture();
}


// Two random numbers a step, X first. Drawn into names: the order in which a call's
// arguments are evaluated is unspecified (and right to left with these compilers).
void NewRandomSteps(ClockMotion& motion) {
    const float randomX = forms::Rnd();
    const float randomY = forms::Rnd();
    motion.NewSteps(randomX, randomY, TwipsPerPixelX, TwipsPerPixelY);
}

}  // namespace

fclock* fclock::current_ = nullptr;

fclock::fclock() : SaverForm(ClockSpec()) {
    Add(Label1);
    Add(Label2);
    Add(Timer1);
    ApplyDesign(Label1, kLabel1);
    ApplyDesign(Label2, kLabel2);
    Timer1.SetEnabled(false);
    Timer1.SetInterval(kTimerIntervalMs);
    // On the half seconds of the clock: a new second shows as it begins, as on the taskbar.
    Timer1.SetPhasedToClock(true);
    Timer1.onTimer = [this] { Timer1_Timer(); };
    Label1.onMouseDown = [this](int16_t b, int16_t s, float x, float y) { Label1_MouseDown(b, s, x, y); };
    // A press on the date acts like a press anywhere else on the clock.
    Label2.onMouseDown = [this](int16_t b, int16_t s, float x, float y) { Form_MouseDown(b, s, x, y); };
    current_ = this;
}

fclock::~fclock() {
    if (current_ == this)
        current_ = nullptr;
}

void fclock::Form_Load() {
    LastDate = forms::Now();
    const double screenW = forms::ScreenWidthTw();
    const double screenH = forms::ScreenHeightTw();
    Move(0, 0, ToInt32(screenW), ToInt32(screenH));
    Maximize();
    motion_.Layout(screenW, screenH, Label1.Width(), Label1.Height());
    NewRandomSteps(motion_);
    motion_.DirX = 1;
    motion_.DirY = 1;
    motion_.Advance();
    FormatLongDateInto(dateText_, forms::Now(), forms::CurrentLocaleNames());
    Label2.SetCaption(dateText_);
    FormatTimeInto(timeText_, forms::Now(), forms::CurrentLocaleNames());
    Label1.SetCaption(timeText_);
    forms::DoEvents();
    PlaceLabels();
    Timer1.SetEnabled(true);
}

void fclock::Timer1_Timer() {
    // One reading of the clock serves the tick: the date test, both texts and LastDate. The
    // texts then always show one moment, at midnight too.
    const double now = Timer1.TickClock().now;
    const zelvane::LocaleNames& names = forms::CurrentLocaleNames();
    if (now > LastDate) {
        FormatLongDateInto(dateText_, now, names);
        Label2.SetCaption(dateText_);
        LastDate = now;
    }
    FormatTimeInto(timeText_, now, names);
    Label1.SetCaption(timeText_);
    NewRandomSteps(motion_);
    motion_.Advance();
    motion_.Bounce();
    PlaceLabels();
}

void fclock::PlaceLabels() {
    // Left and top in one move: each move invalidates the old and the new box once.
    Label1.Move(motion_.PosX, motion_.PosY, Label1.Width(), Label1.Height());
    Label2.Move(motion_.PosX, CheckedSub32(motion_.PosY, Label2.Height()), Label2.Width(), Label2.Height());
}

void fclock::Form_DisplayChange() {
    const double screenW = forms::ScreenWidthTw();
    const double screenH = forms::ScreenHeightTw();
    Move(0, 0, ToInt32(screenW), ToInt32(screenH));
    motion_.Refit(screenW, screenH, Label1.Width(), Label1.Height());
    PlaceLabels();
    Covers.Follow(CoveringRects(MonitorRects(), PrimaryScreenRect()));
}

void fclock::Form_QueryUnload(int16_t& cancel, int16_t unloadMode) {
    Timer1.SetEnabled(false);
    SaverForm::Form_QueryUnload(cancel, unloadMode);
}

void fclock::Label1_MouseDown(int16_t button, int16_t shift, float, float) {
    HandleMouseDown(button, shift, kTrue);
}

}  // namespace zelvane
