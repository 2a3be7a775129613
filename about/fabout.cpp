// The About dialog.
#include "about/fabout.h"

#include <vector>

#include "about/hand_cursor.h"
#include "about/open_document.h"
#include "core/about_text.h"
#include "core/centering.h"
#include "forms/runtime.h"
#include "program/globals.h"
#include "runcontrol/run_control.h"
#include "windows/window_utils.h"

namespace zelvane {
namespace {

// Stored properties (twips, points, colours), top of the z-order first.
//
// | Control   | Kind   | Parent | Left | Top  | Width | Height | Other                                   |
// |-----------|--------|--------|------|------|-------|--------|-----------------------------------------|
// | btnOK     | button | form   | 2730 | 2595 | 1095  | 345    | "OK", Arial 9.75, default and cancel    |
// | TimerHide | timer  | form   |      |      |       |        | disabled, interval 0                    |
// | Frame1    | frame  | form   | 180  | 105  | 6225  | 2895   | no caption, window colour               |
// | lblweb    | label  | Frame1 | 885  | 2145 | auto  | auto   | blue, window colour back, Arial 9       |
// | lblmailto | label  | Frame1 | 885  | 1905 | auto  | auto   | as lblweb                               |
// | imgIcon   | image  | Frame1 | 270  | 480  | 480   | 480    | no picture until About                  |
// | lblAbout  | label  | Frame1 | 885  | 210  | 5190  | 2220   | window colour back, button-text colour, |
// |           |        |        |      |      |       |        | Arial 9.75, lines 240 apart             |
constexpr int32_t kClientWidthTw = 6555;
constexpr int32_t kClientHeightTw = 3180;
constexpr forms::OleColor kWindowColor = forms::SystemColor(COLOR_WINDOW);
constexpr forms::OleColor kTextColor = forms::SystemColor(COLOR_BTNTEXT);
constexpr forms::OleColor kLinkColor = RGB(0, 0, 255);
// In High Contrast the links take the scheme's own link colour: pure blue on a black window
// colour has a contrast of about 2.4 to 1.
constexpr forms::OleColor kHighContrastLinkColor = forms::SystemColor(COLOR_HOTLIGHT);

struct Box {
    int32_t left, top, width, height;
};
constexpr Box kBtnOK = {2730, 2595, 1095, 345};
constexpr Box kFrame1 = {180, 105, 6225, 2895};
constexpr Box kLblWeb = {885, 2145, 0, 0};  // sized to the text
constexpr Box kLblMailto = {885, 1905, 0, 0};
constexpr Box kImgIcon = {270, 480, 480, 480};
constexpr Box kLblAbout = {885, 210, 5190, 2220};

constexpr char kButtonCaption[] = "OK";
constexpr float kButtonPoints = 9.75f;
constexpr float kLinkPoints = 9.0f;
constexpr float kTextPoints = 9.75f;
constexpr int32_t kTimerHideStoredInterval = 0;
// The link labels lie on consecutive text lines 240 twips apart (1905, 2145); the
// text's lines keep that pitch whatever the font's own height (15 pixels for Arial
// 9.75 pt at 96 dpi, which would put line 8 half a line above its link).
constexpr int32_t kTextLineSpacingTw = 240;

constexpr char kCaption[] = "About";

forms::FormSpec AboutSpec() {
    forms::FormSpec spec;
    spec.border = forms::BorderStyle::kFixedDialog;
    spec.clientWidthTw = kClientWidthTw;
    spec.clientHeightTw = kClientHeightTw;
    spec.backColor = kWindowColor;
    spec.startPosition = forms::StartPosition::kManual;  // centred by the load step
    return spec;
}

forms::FontSpec Arial(float points) {
    forms::FontSpec font;
    font.face = "Arial";
    font.points = points;
    font.weight = FW_NORMAL;
    return font;
}

void Place(forms::WindowlessControl& control, const Box& box) {
    control.Move(box.left, box.top, box.width, box.height);
}

void DesignLink(forms::Label& label, const Box& box) {
    Place(label, box);
    label.SetFont(Arial(kLinkPoints));
    label.SetBackColor(kWindowColor);
    label.SetBackOpaque(true);
    label.SetAutoSize(true);
}

// The program's own facts and the shell take the system's ANSI code page; the core and
// the labels take UTF-8.
std::string Recode(const std::string& text, UINT from, UINT to) {
    if (text.empty())
        return text;
    const int length = static_cast<int>(text.size());
    const int wideLength = ::MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
    ::MultiByteToWideChar(from, 0, text.data(), length, wide.data(), wideLength);
    const int outLength = ::WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(outLength), '\0');
    ::WideCharToMultiByte(to, 0, wide.data(), wideLength, out.data(), outLength, nullptr, nullptr);
    return out;
}

std::string AnsiFromUtf8(const std::string& text) {
    return Recode(text, CP_UTF8, CP_ACP);
}

std::string Utf8FromAnsi(const std::string& text) {
    return Recode(text, CP_ACP, CP_UTF8);
}

// Links open on the user's own desktop only. On the screen-saver desktop of a locked session
// the program that the shell starts would run there as the user, past the lock: the run ends
// instead, so that Windows asks for the password or goes back to the user's desktop.
void OpenLink(const std::string& target) {
    if (OnUsersOwnDesktop())
        (void)OpenDocument(AnsiFromUtf8(target));
    else
        RequestEnd();
}

AboutInputs ProgramFacts() {
    const forms::AppVersion version = forms::Version();
    AboutInputs in;
    in.appTitle = Utf8FromAnsi(AppTitle);
    in.major = version.major;
    in.minor = version.minor;
    in.revision = version.revision;
    in.yearText = Utf8FromAnsi(YearText);
    in.authorName = GetAuthorName();
    in.authorPlace = AuthorPlace();
    in.mailLength = Utf8Length(ContactAddress());
    in.webLength = Utf8Length(WebTarget());
    return in;
}

}  // namespace

fabout::fabout() : forms::Form(AboutSpec()) {
    Add(btnOK);
    Add(TimerHide);
    Add(Frame1);
    Frame1.Add(lblweb);
    Frame1.Add(lblmailto);
    Frame1.Add(imgIcon);
    Frame1.Add(lblAbout);

    btnOK.Setup(kButtonCaption, kBtnOK.left, kBtnOK.top, kBtnOK.width, kBtnOK.height, Arial(kButtonPoints), true, true);
    Place(Frame1, kFrame1);
    Frame1.SetBackColor(kWindowColor);
    DesignLink(lblweb, kLblWeb);
    DesignLink(lblmailto, kLblMailto);
    Place(imgIcon, kImgIcon);
    Place(lblAbout, kLblAbout);
    lblAbout.SetFont(Arial(kTextPoints));
    lblAbout.SetForeColor(kTextColor);
    lblAbout.SetBackColor(kWindowColor);
    lblAbout.SetBackOpaque(true);
    lblAbout.SetLineSpacing(kTextLineSpacingTw);
    RestoreStoredState();

    btnOK.onClick = [this] { btnOK_Click(); };
    TimerHide.onTimer = [this] { TimerHide_Timer(); };
    lblmailto.onMouseMove = [this](int16_t b, int16_t s, float x, float y) { lblmailto_MouseMove(b, s, x, y); };
    lblweb.onMouseMove = [this](int16_t b, int16_t s, float x, float y) { lblweb_MouseMove(b, s, x, y); };
    Frame1.onMouseMove = [this](int16_t b, int16_t s, float x, float y) { Frame1_MouseMove(b, s, x, y); };
    lblAbout.onMouseMove = [this](int16_t b, int16_t s, float x, float y) { lblAbout_MouseMove(b, s, x, y); };
    lblmailto.onMouseDown = [this](int16_t b, int16_t s, float x, float y) { lblmailto_MouseDown(b, s, x, y); };
    lblweb.onMouseDown = [this](int16_t b, int16_t s, float x, float y) { lblweb_MouseDown(b, s, x, y); };
}

// What a load finds: the stored form, nothing of an earlier load.
void fabout::RestoreStoredState() {
    TimerHide.SetEnabled(false);
    TimerHide.SetInterval(kTimerHideStoredInterval);
    for (forms::Label* link : {&lblmailto, &lblweb}) {
        link->SetMousePointer(forms::kPointerDefault);
        link->SetMouseIcon(forms::UniqueCursor());
        link->SetUnderline(false);
    }
    imgIcon.SetPicture(nullptr);
    lblAbout.SetCaption("");
}

void fabout::ApplyLinkColor() {
    const forms::OleColor ink = forms::HighContrastOn() ? kHighContrastLinkColor : kLinkColor;
    lblmailto.SetForeColor(ink);
    lblweb.SetForeColor(ink);
}

void fabout::Form_ColorsChange() {
    ApplyLinkColor();
}

void fabout::About(std::string comment, HICON picture) {
    Load();  // the first touch of a control loads the dialog
    lblAbout.SetCaption(AboutText(Utf8FromAnsi(comment), ProgramFacts()));
    imgIcon.SetPicture(picture);
    if (m_Interval > 0)
        TimerHide.SetEnabled(true);
    ::MessageBeep(MB_ICONASTERISK);
    if (m_Modeless) {
        Show(false);
        MakeTopMost(hWnd());
    } else {
        Show(true);
    }
}

int32_t fabout::Interval() {
    Load();
    m_Interval = TimerHide.Interval();
    return m_Interval;
}

void fabout::SetInterval(int32_t ms) {
    Load();
    m_Interval = ms;
    TimerHide.SetInterval(m_Interval);
}

void fabout::Form_Load() {
    RestoreStoredState();
    ApplyLinkColor();
    SetCaption(kCaption);
    m_Loaded = kTrue;
    lblmailto.SetCaption(ContactAddress());
    lblweb.SetCaption(GetWebAddress());
    lblmailto.SetVisible(true);
    lblweb.SetVisible(true);
    SetLeft(CenteredStartTw(forms::ScreenWidthTw(), Width()));
    SetTop(CenteredStartTw(forms::ScreenHeightTw(), Height()));
}

void fabout::Form_QueryUnload(int16_t& cancel, int16_t unloadMode) {
    (void)cancel;
    (void)unloadMode;
    m_Loaded = kFalse;
}

void fabout::Form_LostForeground() {
    Unload();
}

void fabout::btnOK_Click() {
    Unload();
}

void fabout::TimerHide_Timer() {
    TimerHide.SetEnabled(false);
    Unload();
}

void fabout::lblmailto_MouseMove(int16_t, int16_t, float, float) {
    SetDefaultCursor(lblweb);
    SetHandCursor(lblmailto);
    lblweb.SetUnderline(false);
    lblmailto.SetUnderline(true);
}

void fabout::lblweb_MouseMove(int16_t, int16_t, float, float) {
    SetDefaultCursor(lblmailto);
    SetHandCursor(lblweb);
    lblmailto.SetUnderline(false);
    lblweb.SetUnderline(true);
}

void fabout::Frame1_MouseMove(int16_t, int16_t, float, float) {
    lblmailto.SetUnderline(false);
    lblweb.SetUnderline(false);
}

void fabout::lblAbout_MouseMove(int16_t, int16_t, float, float) {
    lblweb.SetUnderline(false);
    lblmailto.SetUnderline(false);
}

// Any button, any shift state: the dialog goes first, then the shell gets the link;
// what the shell answers is not shown.
void fabout::lblmailto_MouseDown(int16_t, int16_t, float, float) {
    Unload();
    OpenLink(MailTarget());
}

void fabout::lblweb_MouseDown(int16_t, int16_t, float, float) {
    Unload();
    OpenLink(WebTarget());
}

}  // namespace zelvane
