// A stand-in for the system's display-settings dialog: a top-level dialog with pages
// of the dialog class, a screen-saver page with the list of screen savers, and a small
// preview window three parent levels below the dialog, into which a screen saver
// started with "/P <handle>" draws. Tests steer it with the messages in display_host.h.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "display_host.h"

namespace {

using namespace display_host;

constexpr wchar_t kPageClass[] = L"#32770";
constexpr wchar_t kMonitorClass[] = L"ZelvaneHostMonitor";
constexpr wchar_t kLinkClass[] = L"ZelvaneHostOwnerLink";
constexpr wchar_t kDialogCaption[] = L"Display Properties";
constexpr wchar_t kBackgroundCaption[] = L"Background";
constexpr wchar_t kDefaultSaverPageCaption[] = L"Screen Saver";
constexpr const wchar_t* kStandardEntries[] = {L"(None)", L"Blank", L"Zelvane", L"Mystify", L"Z\u00e9lvane"};

// Geometry, in pixels.
constexpr int kDialogX = 150, kDialogY = 80;
constexpr int kDialogClientWidth = 400, kDialogClientHeight = 330;
constexpr int kPageMargin = 10;
constexpr int kPageHeight = 272;
constexpr int kMonitorX = 108, kMonitorY = 20;
constexpr int kMonitorWidth = 184, kMonitorHeight = 170;
constexpr int kScreenInset = 16;  // the preview's offset inside the monitor picture
constexpr int kStandWidth = 60, kStandHeight = 14;
constexpr int kLabelX = 20, kLabelY = 214, kLabelWidth = 120, kLabelHeight = 18;
constexpr int kListX = 20, kListY = 236, kListWidth = 250, kListDropHeight = 200;
constexpr int kListGap = 30;  // between the lists of --more-lists
constexpr int kButtonWidth = 80, kButtonHeight = 26, kButtonGap = 10;
constexpr COLORREF kBezelColor = RGB(200, 200, 196);
constexpr COLORREF kBezelEdgeColor = RGB(90, 90, 90);
constexpr COLORREF kStandColor = RGB(150, 150, 146);
constexpr int kListId = 1001;

struct Options {
    bool popup = false;
    bool page = true;
    bool combo = true;
    bool moreLists = false;
    std::wstring pageCaption = kDefaultSaverPageCaption;
    std::vector<int> longEntries;
    int select = kEntryZelvane;
    int growAfterSelection = -1;
};

struct Host {
    Options options;
    HWND dialog = nullptr;
    HWND list = nullptr;
    HWND preview = nullptr;
    HWND ownerLinks[2] = {nullptr, nullptr};
    WNDPROC listProc = nullptr;
    bool grown = false;
} g;

Options ParseOptions() {
    Options options;
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    for (int i = 1; argv && i < argc; ++i) {
        std::wstring arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == L"--popup")
            options.popup = true;
        else if (arg == L"--no-page")
            options.page = false;
        else if (arg == L"--no-combo")
            options.combo = false;
        else if (arg == L"--more-lists")
            options.moreLists = true;
        else if (arg == L"--page-caption" && hasValue)
            options.pageCaption = argv[++i];
        else if (arg == L"--long" && hasValue)
            options.longEntries.push_back(_wtoi(argv[++i]));
        else if (arg == L"--select" && hasValue)
            options.select = _wtoi(argv[++i]);
        else if (arg == L"--grow-after-selection" && hasValue)
            options.growAfterSelection = _wtoi(argv[++i]);
    }
    ::LocalFree(argv);
    return options;
}

void FillRectColor(HDC dc, const RECT& rc, COLORREF color) {
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
}

void SetGuiFont(HWND hWnd) {
    ::SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

// The preview window: host background only; whatever is drawn into it stays until the
// window is invalidated.
LRESULT CALLBACK PreviewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT rc;
            ::GetClientRect(hWnd, &rc);
            FillRectColor(reinterpret_cast<HDC>(wParam), rc, kPreviewBackground);
            return 1;
        }
        default:
            return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    }
}

// The monitor picture around the preview.
LRESULT CALLBACK MonitorProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT)
        return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hWnd, &ps);
    RECT all;
    ::GetClientRect(hWnd, &all);
    FillRectColor(dc, all, ::GetSysColor(COLOR_BTNFACE));
    RECT bezel = {0, 0, all.right, kScreenInset * 2 + kPreviewHeight};
    FillRectColor(dc, bezel, kBezelEdgeColor);
    ::InflateRect(&bezel, -1, -1);
    FillRectColor(dc, bezel, kBezelColor);
    RECT stand = {(all.right - kStandWidth) / 2, bezel.bottom + 1, (all.right + kStandWidth) / 2,
                  bezel.bottom + 1 + kStandHeight};
    FillRectColor(dc, stand, kStandColor);
    RECT foot = {stand.left - kStandWidth / 2, stand.bottom, stand.right + kStandWidth / 2, all.bottom};
    FillRectColor(dc, foot, kBezelEdgeColor);
    ::EndPaint(hWnd, &ps);
    return 0;
}

LRESULT CALLBACK DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case kMsgGetPreview:
            return reinterpret_cast<LRESULT>(g.preview);
        case kMsgGetList:
            return reinterpret_cast<LRESULT>(g.list);
        case kMsgDestroyPreview:
            if (g.preview)
                ::DestroyWindow(g.preview);
            g.preview = nullptr;
            return 0;
        case kMsgClose:
            ::DestroyWindow(hWnd);
            return 0;
        case kMsgBlock:
            ::Sleep(static_cast<DWORD>(wParam));
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
                ::DestroyWindow(hWnd);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    }
}

void RegisterClasses(HINSTANCE instance) {
    WNDCLASSW wc = {};
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);

    wc.lpfnWndProc = DialogProc;
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kDialogClass;
    ::RegisterClassW(&wc);

    wc.lpfnWndProc = MonitorProc;
    wc.lpszClassName = kMonitorClass;
    ::RegisterClassW(&wc);

    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hbrBackground = nullptr;
    wc.lpszClassName = kLinkClass;
    ::RegisterClassW(&wc);

    wc.lpfnWndProc = PreviewProc;
    wc.lpszClassName = kPreviewClass;
    ::RegisterClassW(&wc);
}

HWND CreatePage(HINSTANCE instance, const wchar_t* caption, bool visible) {
    RECT rc = {kPageMargin, kPageMargin, kDialogClientWidth - kPageMargin, kPageMargin + kPageHeight};
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    return ::CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, caption, style, rc.left, rc.top, rc.right - rc.left,
                             rc.bottom - rc.top, g.dialog, nullptr, instance, nullptr);
}

HWND CreateList(HINSTANCE instance, HWND parent, int x, int y, int select) {
    HWND list =
        ::CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, x, y, kListWidth,
                          kListDropHeight, parent, reinterpret_cast<HMENU>(kListId), instance, nullptr);
    SetGuiFont(list);
    for (const wchar_t* entry : kStandardEntries)
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    for (int length : g.options.longEntries) {
        std::wstring entry(static_cast<size_t>(length > 0 ? length : 0), kLongEntryChar);
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(select), 0);
    return list;
}

// The list of --grow-after-selection: it tells which entry is selected, then that entry grows.
LRESULT CALLBACK GrowingListProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::CallWindowProcW(g.listProc, hWnd, msg, wParam, lParam);
    if (msg == CB_GETCURSEL && result == g.options.growAfterSelection && !g.grown) {
        g.grown = true;
        const std::wstring grown(kGrownEntryChars, kLongEntryChar);
        const auto entry = static_cast<WPARAM>(result);
        ::CallWindowProcW(g.listProc, hWnd, CB_DELETESTRING, entry, 0);
        ::CallWindowProcW(g.listProc, hWnd, CB_INSERTSTRING, entry, reinterpret_cast<LPARAM>(grown.c_str()));
        ::CallWindowProcW(g.listProc, hWnd, CB_SETCURSEL, entry, 0);
    }
    return result;
}

// A popup preview still needs the dialog three parent levels up: for a popup the
// parent is its owner, so it is owned through two hidden popups.
HWND CreatePopupPreview(HINSTANCE instance, HWND monitor) {
    g.ownerLinks[1] = ::CreateWindowExW(0, kLinkClass, L"", WS_POPUP, 0, 0, 1, 1, g.dialog, nullptr, instance, nullptr);
    g.ownerLinks[0] =
        ::CreateWindowExW(0, kLinkClass, L"", WS_POPUP, 0, 0, 1, 1, g.ownerLinks[1], nullptr, instance, nullptr);
    POINT at = {kScreenInset, kScreenInset};
    ::ClientToScreen(monitor, &at);
    return ::CreateWindowExW(WS_EX_TOPMOST, kPreviewClass, L"", WS_POPUP | WS_VISIBLE, at.x, at.y, kPreviewWidth,
                             kPreviewHeight, g.ownerLinks[0], nullptr, instance, nullptr);
}

void CreateButtons(HINSTANCE instance) {
    int y = kDialogClientHeight - kButtonHeight - kPageMargin;
    int x = kDialogClientWidth - kPageMargin - 2 * kButtonWidth - kButtonGap;
    HWND ok = ::CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, x, y, kButtonWidth,
                                kButtonHeight, g.dialog, reinterpret_cast<HMENU>(IDOK), instance, nullptr);
    HWND cancel = ::CreateWindowExW(0, L"Button", L"Cancel", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                    x + kButtonWidth + kButtonGap, y, kButtonWidth, kButtonHeight, g.dialog,
                                    reinterpret_cast<HMENU>(IDCANCEL), instance, nullptr);
    SetGuiFont(ok);
    SetGuiFont(cancel);
}

void CreateHost(HINSTANCE instance) {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT frame = {0, 0, kDialogClientWidth, kDialogClientHeight};
    ::AdjustWindowRect(&frame, style, FALSE);
    g.dialog = ::CreateWindowExW(0, kDialogClass, kDialogCaption, style, kDialogX, kDialogY, frame.right - frame.left,
                                 frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);

    // The pages: "Background" first, so the search has a page to pass over.
    HWND background = CreatePage(instance, kBackgroundCaption, !g.options.page);
    HWND saverPage = g.options.page ? CreatePage(instance, g.options.pageCaption.c_str(), true) : nullptr;
    HWND page = saverPage ? saverPage : background;

    HWND monitor = ::CreateWindowExW(0, kMonitorClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, kMonitorX,
                                     kMonitorY, kMonitorWidth, kMonitorHeight, page, nullptr, instance, nullptr);
    HWND label = ::CreateWindowExW(0, L"Static", L"Screen saver", WS_CHILD | WS_VISIBLE, kLabelX, kLabelY, kLabelWidth,
                                   kLabelHeight, page, nullptr, instance, nullptr);
    SetGuiFont(label);
    if (g.options.moreLists) {
        // Found before the tests' list: one on the page with another entry selected,
        // one on the dialog itself with Zelvane selected.
        if (saverPage)
            CreateList(instance, saverPage, kListX, kListY + kListGap, kEntryBlank);
        CreateList(instance, g.dialog, kPageMargin + kListX, kPageMargin + kListY + 2 * kListGap, kEntryZelvane);
    }
    if (g.options.combo) {
        if (saverPage) {
            g.list = CreateList(instance, saverPage, kListX, kListY, g.options.select);
        } else {
            // On the dialog itself, at the place it would have on the page.
            g.list = CreateList(instance, g.dialog, kPageMargin + kListX, kPageMargin + kListY, g.options.select);
        }
    }
    if (g.list && g.options.growAfterSelection >= 0)
        g.listProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(g.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GrowingListProc)));
    CreateButtons(instance);
    ::ShowWindow(g.dialog, SW_SHOWNORMAL);
    ::UpdateWindow(g.dialog);

    // Last: the tests take a preview window as the sign that the host is ready.
    if (g.options.popup) {
        g.preview = CreatePopupPreview(instance, monitor);
    } else {
        g.preview = ::CreateWindowExW(0, kPreviewClass, L"", WS_CHILD | WS_VISIBLE, kScreenInset, kScreenInset,
                                      kPreviewWidth, kPreviewHeight, monitor, nullptr, instance, nullptr);
    }
    ::UpdateWindow(g.preview);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g.options = ParseOptions();
    RegisterClasses(instance);
    CreateHost(instance);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
