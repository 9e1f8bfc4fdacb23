// The main dialog: a prompt, an input box, the 开始 button and a read-only
// output box, all made at run time; each press of 开始 runs one query.
#include <windows.h>

#include <commctrl.h>

#include "frontend.h"
#include "resource.h"
#include "window_layout.h"

// The one font of all four controls, made when the dialog is built; never deleted.
static HFONT g_hFont;
// The input and output boxes, kept when the dialog is built.
static HWND g_hInput;
static HWND g_hOutput;

static const wchar_t NOT_FOUND_TEXT[] = L"" QUOVANT_NOT_FOUND_TEXT;

// What Windows needs of each control of the shared layout, in its order.
struct ControlKind {
    const wchar_t *className;
    DWORD style;
    DWORD exStyle;
    int id;
};

static const ControlKind CONTROL_KINDS[CONTROL_COUNT] = {
    {L"Static", WS_CHILD | WS_VISIBLE, 0, 0},
    {L"Edit", WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE, 0},
    {L"Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDC_START},
    {L"Edit", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
     WS_EX_CLIENTEDGE, 0},
};

static bool IsVistaOrLater()
{
    OSVERSIONINFOW info = {};
    static_assert(sizeof info == 276, "OSVERSIONINFOW is 276 bytes");
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExW(&info) && info.dwMajorVersion > 5;
}

// Makes g_hFont for this platform and returns the text height h.
static int CreateDialogFont()
{
    const bool newer = IsVistaOrLater();
    g_hFont = CreateFontW(newer ? FONT_CELL_HEIGHT : PRE_VISTA_FONT_CELL_HEIGHT, 0, 0, 0, 0, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, 0, 0, 0, 0, newer ? L"Microsoft Yahei" : L"SimSun");
    return newer ? TEXT_HEIGHT : PRE_VISTA_TEXT_HEIGHT;
}

// Sizes the window for a 400 × 200 client area and places it at the middle
// of the work area's size, measured from the screen's origin: the work
// area's own left and top are not added. On the primary monitor the work
// area starts at 0,0 unless the taskbar stands at the left or top, and then
// the window still lies wholly on the screen.
static void PlaceWindow(HWND dialog)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE));
    RECT outer = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;

    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = (work.right - work.left) / 2 - width / 2;
    const int y = (work.bottom - work.top) / 2 - height / 2;
    SetWindowPos(dialog, nullptr, x, y, width, height,
                 SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

// The output box without Esc. A multi-line edit in a dialog closes the
// dialog when it gets Esc; dropping the key leaves the box as it was in
// everything else, and the window closes only through WM_CLOSE.
static LRESULT CALLBACK OutputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR)
{
    if ((message == WM_KEYDOWN || message == WM_CHAR) && wParam == VK_ESCAPE)
        return 0;
    return DefSubclassProc(box, message, wParam, lParam);
}

static BOOL OnInitDialog(HWND dialog)
{
    PlaceWindow(dialog);
    const int textHeight = CreateDialogFont();
    HWND created[CONTROL_COUNT] = {};
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        const ControlLayout &c = CONTROL_LAYOUT[i];
        const ControlKind &kind = CONTROL_KINDS[i];
        created[i] = CreateWindowExW(kind.exStyle, kind.className, reinterpret_cast<const wchar_t *>(c.text),
                                     kind.style, c.x, c.y, c.width, ControlHeight(c, textHeight), dialog,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kind.id)), nullptr, nullptr);
        SendMessageW(created[i], WM_SETFONT, reinterpret_cast<WPARAM>(g_hFont), TRUE);
    }
    g_hInput = created[INPUT_CONTROL];
    g_hOutput = created[OUTPUT_CONTROL];
    SetWindowSubclass(g_hOutput, OutputBoxProc, 0, 0);
    // The template has no controls, so the dialog manager's default id is
    // still IDOK: name 开始 the default, so that Enter presses it.
    SendMessageW(dialog, DM_SETDEFID, IDC_START, 0);
    SetFocus(created[START_CONTROL]);
    return FALSE;  // the focus is set already
}

// Runs one query on the input box's text (at most its first 259 units).
static void OnStart(HWND dialog)
{
    wchar_t text[QUERY_UNITS] = {};
    GetWindowTextW(g_hInput, text, QUERY_UNITS);
    const wchar_t *result = g_pfnGetIdioms(text);
    if (result != nullptr && result[0] != L'\0')
        SetWindowTextW(g_hOutput, result);
    else
        MessageBoxW(dialog, NOT_FOUND_TEXT, PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_START)
            return FALSE;  // Esc's IDCANCEL among them: the window stays open
        OnStart(dialog);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
