// Top-level forms: one window of the class "ThunderRT6FormDC" each, with stored
// properties in twips, load / show / unload with query-unload, and the routing of
// window messages to the form's event handlers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/win.h"

namespace forms {

inline constexpr char kFormClassName[] = "ThunderRT6FormDC";
inline constexpr int kFirstButtonId = 1000;  // child-window ids of a form's buttons, in order

enum class BorderStyle { kNone, kFixedSingle, kFixedDialog };
enum class StartPosition { kManual, kCenterScreen };

// Why a form is being unloaded, as its query-unload handler is told.
inline constexpr int16_t kUnloadFromControlMenu = 0;  // close command: title bar, system menu, WM_CLOSE
inline constexpr int16_t kUnloadFromCode = 1;         // the program unloads it

struct FormSpec {
    BorderStyle border = BorderStyle::kFixedSingle;
    std::string caption;
    int32_t clientWidthTw = 0, clientHeightTw = 0;
    int32_t leftTw = 0, topTw = 0;
    OleColor backColor = SystemColor(COLOR_BTNFACE);
    bool minButton = false;
    bool maxButton = false;
    StartPosition startPosition = StartPosition::kManual;
};

// Twips and pixels of the screen.
int32_t TwipsToPixelsX(double twips);
int32_t TwipsToPixelsY(double twips);
float PixelsToTwipsX(int32_t pixels);
float PixelsToTwipsY(int32_t pixels);

class Form {
public:
    explicit Form(FormSpec spec);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the hidden window and runs Form_Load; nothing when already loaded. False when
    // the system refused the window (its quota or the desktop heap ran out): the form stays
    // unloaded, and WindowCreationFailed tells the drivers so.
    bool Load();
    // Shows the form, loading it first. A modal show returns once the form is unloaded;
    // meanwhile the program's other forms take no input but keep their timers.
    void Show(bool modal = false);
    // Asks Form_QueryUnload, then destroys the window. False when the handler cancelled.
    bool Unload(int16_t unloadMode = kUnloadFromCode);

    bool IsLoaded() const { return hWnd_ != nullptr; }
    HWND hWnd() const { return hWnd_; }
    // A memory context kept while the form has its window, for measuring its text; nullptr
    // while it has none.
    HDC MemoryDC();

    std::string Caption() const { return spec_.caption; }
    void SetCaption(const std::string& caption);
    // Outer position and size, borders and title bar included, in twips.
    int32_t Left() const;
    int32_t Top() const;
    int32_t Width() const;
    int32_t Height() const;
    void Move(int32_t left, int32_t top, int32_t width, int32_t height);
    void SetLeft(int32_t left);
    void SetTop(int32_t top);
    void Maximize();

    // Called by the event pump for each message before it is dispatched: Enter, Esc and
    // Tab for forms with buttons. True when the message has been handled.
    static bool PreTranslate(MSG& msg);

protected:
    // Controls in z-order: a control added earlier lies above one added later.
    void Add(WindowlessControl& control);
    void Add(CommandButton& button);
    void Add(Timer& timer);

    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) {
        (void)cancel;
        (void)unloadMode;
    }
    virtual void Form_KeyDown(int16_t keyCode, int16_t shift) {
        (void)keyCode;
        (void)shift;
    }
    virtual void Form_KeyPress(int16_t keyAscii) { (void)keyAscii; }
    virtual void Form_MouseDown(int16_t button, int16_t shift, float x, float y) {
        (void)button, (void)shift, (void)x, (void)y;
    }
    virtual void Form_MouseMove(int16_t button, int16_t shift, float x, float y) {
        (void)button, (void)shift, (void)x, (void)y;
    }
    // The foreground has passed to another program's window (WM_ACTIVATEAPP). Activation
    // moving between the program's own windows raises nothing.
    virtual void Form_LostForeground() {}
    // The screen changed: its size or orientation, the monitors or the work area.
    virtual void Form_DisplayChange() {}
    // The system's colours or its High Contrast setting may have changed; the form is painted
    // anew after it.
    virtual void Form_ColorsChange() {}

private:
    friend class WindowlessControl;
    friend class Timer;
    friend class CommandButton;

    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    // Routes a message to its handler, then asks once for what the handler changed to be
    // painted again.
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT RouteMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint();
    // The background and the controls of `rc` of the client area, into `hDC`.
    void PaintClient(HDC hDC, const RECT& rc);
    // The same without a buffer, where every control in `rc` is a kept picture that does not
    // overlap another: false, with nothing painted, elsewhere.
    bool PaintUnbuffered(HDC hDC, const RECT& rc);
    LRESULT OnPrintClient(HDC hDC);
    LRESULT OnCtlColorButton(HDC hDC);
    LRESULT OnSystemChange(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnClose();
    LRESULT OnMouseButton(int16_t button, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    enum class MouseEvent { kDown, kMove };
    void DispatchMouse(MouseEvent event, int16_t button, LPARAM lParam);
    // The pointer for a point of the client area: the custom one of the control there, or the arrow.
    HCURSOR PointerAt(POINT clientPoint) const;
    // Called by a control whose pointer changed; shows it now when the mouse is over it.
    void PointerChanged(const WindowlessControl& control);
    LRESULT OnKeyDown(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivateApp(WPARAM wParam, LPARAM lParam);

    WindowlessControl* HitTest(POINT pt) const;
    void PaintControl(HDC hDC, WindowlessControl& control, const RECT& clip);
    // Marks an area to paint again: at once outside a message, and within one gathered
    // into one area that is painted when the message has been handled.
    void InvalidatePixels(const RECT& rc);
    void FlushInvalidation();
    // A control moved from `before` to `after`: the area to paint again.
    void InvalidateMove(const RECT& before, const RECT& after);
    HBRUSH BackBrush() { return backBrush_.For(ResolveColor(spec_.backColor)); }
    void ClickButton(int id);
    void EnableModalOwners();

    FormSpec spec_;
    HWND hWnd_ = nullptr;
    bool unloading_ = false;
    bool maximized_ = false;
    int handling_ = 0;  // messages of this form being handled, nested ones counted
    RECT pendingPaint_ = {0, 0, 0, 0};
    bool paintPending_ = false;
    std::vector<WindowlessControl*> controls_;
    std::vector<CommandButton*> buttons_;
    std::vector<Timer*> timers_;
    std::vector<HWND> modalDisabled_;  // windows that a modal show took the input from
    CachedBrush backBrush_;            // the background, painted and given to buttons

    // The memory context and the bitmap in it that buffered paints go through, kept while the
    // form has its window (its context also measures the labels' text). The bitmap grows to the
    // largest paint up to a quarter of the screen; a larger paint has its own.
    PaintBuffer paintBuffer_;
};

// Whether a form's window could not be created in this process.
bool WindowCreationFailed();

// The current shift state: 1 Shift, 2 Ctrl, 4 Alt.
int16_t CurrentShiftState();

}  // namespace forms
