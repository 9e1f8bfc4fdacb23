// Drives the real frontend.exe through Wine's user32, as a user would meet
// it: the window and its controls, queries, the information box, Esc, a
// second copy, closing, and the error box when the library is missing or
// damaged. Run under wine64 in Xvfb; saves a screenshot after a query.
//   frontend_driver.exe --gtest_... (paths are compiled in)
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "examples.h"
#include "product.h"
#include "win32_support.h"

namespace {

const wchar_t PRODUCT_NAME[] = L"" QUOVANT_PRODUCT_NAME;

struct Process {
    HANDLE handle = nullptr;
    DWORD id = 0;
};

Process Start(const char *folder)
{
    std::wstring dir = WindowsPath(folder);
    std::wstring command = L"\"" + dir + L"\\frontend.exe\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                        &info)) {
        ADD_FAILURE() << "CreateProcessW failed: " << GetLastError();
        return {};
    }
    CloseHandle(info.hThread);
    return {info.hProcess, info.dwProcessId};
}

// Exit code once the process has ended, or -1000 when it is still running.
long WaitExit(const Process &p, DWORD milliseconds = 15000)
{
    if (WaitForSingleObject(p.handle, milliseconds) != WAIT_OBJECT_0)
        return -1000;
    DWORD code = 0;
    GetExitCodeProcess(p.handle, &code);
    return static_cast<long>(code);
}

// Polls `condition` until it holds or `milliseconds` have passed; whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD milliseconds = 15000)
{
    for (DWORD waited = 0;; waited += 50) {
        if (condition())
            return true;
        if (waited >= milliseconds)
            return false;
        Sleep(50);
    }
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// A window's text through WM_GETTEXT, which works across processes for
// controls too.
std::wstring TextOf(HWND window)
{
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

std::string Utf8(const std::wstring &s)
{
    std::string out(s.size() * 3 + 1, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(static_cast<size_t>(n));
    return out;
}

// A search for one process's visible top-level windows.
struct WindowSearch {
    DWORD id;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM param)
{
    auto *search = reinterpret_cast<WindowSearch *>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == search->id && IsWindowVisible(w))
        search->found.push_back(w);
    return TRUE;
}

// The process's visible top-level windows.
std::vector<HWND> TopWindows(DWORD processId)
{
    WindowSearch search{processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits for a visible top-level dialog-class window of the process other
// than `except`; null after the timeout.
HWND WaitForDialog(DWORD processId, HWND except = nullptr, DWORD milliseconds = 15000)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 50) {
        for (HWND w : TopWindows(processId))
            if (w != except && ClassOf(w) == L"#32770")
                return w;
        Sleep(50);
    }
    return nullptr;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    return children;
}

RECT RectInParent(HWND child, HWND parent)
{
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

// The pixels of a screen rectangle, as 32-bit values.
std::vector<COLORREF> Pixels(HDC source, int x, int y, int width, int height)
{
    std::vector<COLORREF> pixels;
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            pixels.push_back(GetPixel(source, x + col, y + row));
    return pixels;
}

// How an icon control's pixels compare with one of the system's icons.
struct IconMatch {
    UINT id = 0;                      // the closest icon
    size_t difference = SIZE_MAX;     // pixels that differ from it
    bool operator==(const IconMatch &) const = default;
};

// The system's message-box icon closest to what the icon control shows now:
// icon handles are the other process's own, so the pixels on screen are
// compared with each candidate drawn on the same background.
IconMatch ClosestIcon(HWND control)
{
    RECT r = {};
    GetWindowRect(control, &r);
    const int size = GetSystemMetrics(SM_CXICON);
    HDC screen = GetDC(nullptr);
    const std::vector<COLORREF> shown = Pixels(screen, r.left, r.top, size, size);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(memory, bitmap);
    IconMatch best;
    for (UINT id : {32513u /* error */, 32514u /* question */, 32515u /* warning */, 32516u /* information */}) {
        HBRUSH background = CreateSolidBrush(shown[0]);
        RECT all = {0, 0, size, size};
        FillRect(memory, &all, background);
        DeleteObject(background);
        DrawIconEx(memory, 0, 0, LoadIconW(nullptr, MAKEINTRESOURCEW(id)), size, size, 0, nullptr, DI_NORMAL);
        const std::vector<COLORREF> drawn = Pixels(memory, 0, 0, size, size);
        size_t difference = 0;
        for (size_t i = 0; i < drawn.size(); ++i)
            difference += drawn[i] != shown[i];
        if (difference < best.difference)
            best = {id, difference};
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return best;
}

// Which message-box icon an icon control shows, once the box is painted:
// the closest icon, read until two readings in a row agree (at most 10 s).
IconMatch ShownIcon(HWND control)
{
    IconMatch last = ClosestIcon(control);
    WaitUntil(
        [&] {
            const IconMatch now = ClosestIcon(control);
            const bool stable = now == last;
            last = now;
            return stable;
        },
        10000);
    return last;
}

// Checks an open message box and closes it with its OK button.
void ExpectMessageBoxAndClose(HWND box, const wchar_t *text, UINT iconId, const char *what)
{
    ASSERT_NE(box, nullptr) << what << ": no message box";
    EXPECT_EQ(Utf8(TextOf(box)), Utf8(PRODUCT_NAME)) << what;
    EXPECT_EQ(Utf8(TextOf(GetDlgItem(box, 0xFFFF))), Utf8(text)) << what;
    HWND icon = nullptr;
    for (HWND c : Children(box))
        if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            icon = c;
    ASSERT_NE(icon, nullptr) << what << ": no icon";
    const IconMatch shown = ShownIcon(icon);
    EXPECT_EQ(shown.id, iconId) << what << ": the closest icon differs in " << shown.difference << " pixels";
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

// Saves the whole screen as a 24-bit BMP.
bool SaveScreen(const std::wstring &path)
{
    HDC screen = GetDC(nullptr);
    const int width = GetDeviceCaps(screen, HORZRES);
    const int height = GetDeviceCaps(screen, VERTRES);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<char> pixels(stride * static_cast<DWORD>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO *>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE *out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr)
        return false;
    const bool ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&header, sizeof header, 1, out) == 1 &&
                    fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    return fclose(out) == 0 && ok;
}


// One running copy of the program, shared by the tests of the suite in order.
class RunningFrontend : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        process_ = Start(QUOVANT_APP_DIR);
        dialog_ = WaitForDialog(process_.id);
        ASSERT_NE(dialog_, nullptr) << "the main window did not appear";
        controls_ = Children(dialog_);
    }

    static void TearDownTestSuite()
    {
        if (process_.handle != nullptr && WaitExit(process_, 0) == -1000)
            TerminateProcess(process_.handle, 99);
    }

    void SetUp() override
    {
        ASSERT_NE(dialog_, nullptr);
        ASSERT_EQ(controls_.size(), 4u);
    }

    // Brings the window to the front and moves the focus to `control` of
    // it, as Tab or a click would; checks that the focus is there.
    void FocusControl(HWND control) const
    {
        SetForegroundWindow(dialog_);
        SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
        ASSERT_EQ(info.hwndFocus, control);
    }

    // Presses and releases a key through the system's input queue, as a
    // keyboard does: it goes to the window that has the focus.
    static void PressKey(WORD key)
    {
        INPUT inputs[2] = {};
        inputs[0].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = key;
        inputs[1] = inputs[0];
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
    }

    HWND Input() const { return controls_[1]; }
    HWND Button() const { return controls_[2]; }
    HWND Output() const { return controls_[3]; }

    static Process process_;
    static HWND dialog_;
    static std::vector<HWND> controls_;
};

Process RunningFrontend::process_;
HWND RunningFrontend::dialog_ = nullptr;
std::vector<HWND> RunningFrontend::controls_;

// The window is sized for its 400 × 200 client area and placed at the
// middle of the work area's size, measured from the screen's origin: the
// work area's own left and top are not added. Where QUOVANT_WORK_AREA names
// the work area the X server was given ("x,y,width,height", run outside
// Wine's virtual desktop, whose work area always starts at 0,0), Wine must
// report that one, whose left and top are not 0: there the two ways of
// placing the window differ.
TEST_F(RunningFrontend, WindowIsPlacedByTheWorkAreasSize)
{
    EXPECT_EQ(Utf8(TextOf(dialog_)), Utf8(PRODUCT_NAME));
    RECT client = {};
    GetClientRect(dialog_, &client);
    EXPECT_EQ(client.right - client.left, 400);
    EXPECT_EQ(client.bottom - client.top, 200);

    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (const char *given = std::getenv("QUOVANT_WORK_AREA")) {
        long x = 0, y = 0, width = 0, height = 0;
        ASSERT_EQ(std::sscanf(given, "%ld,%ld,%ld,%ld", &x, &y, &width, &height), 4) << given;
        const RECT expected = {x, y, x + width, y + height};
        ASSERT_TRUE(EqualRect(&work, &expected)) << "Wine's work area: " << work.left << "," << work.top << ","
                                                  << work.right << "," << work.bottom << ", not " << given;
        ASSERT_NE(work.left, 0);
        ASSERT_NE(work.top, 0);
    }
    RECT outer = {};
    GetWindowRect(dialog_, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    EXPECT_EQ(outer.left, (work.right - work.left) / 2 - width / 2);
    EXPECT_EQ(outer.top, (work.bottom - work.top) / 2 - height / 2);
}

TEST_F(RunningFrontend, ControlsInCreationOrder)
{
    struct Expected {
        const wchar_t *className;
        const wchar_t *text;
        LONG style;
        LONG exStyle;
        RECT rect;
        int id;
    };
    // The font's text height h is 24 on this platform version (Microsoft Yahei).
    const Expected expected[] = {
        {L"Static", L"请输入你要接龙的成语：", 0x50000000, 0, {10, 10, 210, 34}, 0},
        {L"Edit", PRODUCT_NAME, 0x50010000, 0x200, {10, 35, 300, 59}, 0},
        {L"Button", L"开始", 0x50010001, 0, {315, 33, 390, 61}, 1001},
        {L"Edit", L"", 0x50210844, 0x200, {10, 75, 390, 190}, 0},
    };
    for (size_t i = 0; i < 4; ++i) {
        const Expected &e = expected[i];
        HWND c = controls_[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(ClassOf(c) == e.className, true) << Utf8(ClassOf(c));
        if (i != 3) {  // the output box's text changes with the queries
            EXPECT_EQ(Utf8(TextOf(c)), Utf8(e.text));
        }
        EXPECT_EQ(GetWindowLongW(c, GWL_STYLE), e.style);
        EXPECT_EQ(GetWindowLongW(c, GWL_EXSTYLE), e.exStyle);
        const RECT r = RectInParent(c, dialog_);
        EXPECT_EQ(r.left, e.rect.left);
        EXPECT_EQ(r.top, e.rect.top);
        EXPECT_EQ(r.right, e.rect.right);
        EXPECT_EQ(r.bottom, e.rect.bottom);
        EXPECT_EQ(GetDlgCtrlID(c), e.id);
    }
    const RECT input = RectInParent(Input(), dialog_);
    const RECT button = RectInParent(Button(), dialog_);
    EXPECT_EQ(button.bottom - button.top, input.bottom - input.top + 4);
}

TEST_F(RunningFrontend, FocusStartsOnTheButton)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info));
    EXPECT_EQ(info.hwndFocus, Button());
}

TEST_F(RunningFrontend, StartOnTheUntouchedInputChainsFromItsLastCharacter)
{
    SendMessageW(Button(), BM_CLICK, 0, 0);
    EXPECT_EQ(Utf8(TextOf(Output())), AFTER_TIAN);
    EXPECT_EQ(Utf8(TextOf(Input())), Utf8(PRODUCT_NAME)) << "the input box keeps its text";
}

TEST_F(RunningFrontend, TypedIdiomGivesItsChainAndAScreenshot)
{
    SendMessageW(Input(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"  一心一意 "));
    SendMessageW(Button(), BM_CLICK, 0, 0);
    EXPECT_EQ(Utf8(TextOf(Output())), AFTER_YI);
    EXPECT_EQ(Utf8(TextOf(Input())), "  一心一意 ") << "only the query's copy is trimmed";
    Sleep(500);  // let the window repaint before the picture is taken
    EXPECT_TRUE(SaveScreen(WindowsPath(QUOVANT_SCREENSHOT_BMP)));
}

TEST_F(RunningFrontend, EmptyAndBlankInputBringTheInformationBox)
{
    const std::wstring before = TextOf(Output());
    for (const wchar_t *input : {L"", L"   ", L"\u3000"}) {
        SendMessageW(Input(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(input));
        // Posted: the box is modal, and a sent click would wait for it.
        PostMessageW(Button(), BM_CLICK, 0, 0);
        HWND box = WaitForDialog(process_.id, dialog_);
        ExpectMessageBoxAndClose(box, L"没有找到合适的成语，请重试。", 32516 /* IDI_INFORMATION */,
                                 Utf8(input).c_str());
        EXPECT_TRUE(WaitUntil([box] { return !IsWindow(box); })) << "the box closes";
        EXPECT_EQ(Utf8(TextOf(Output())), Utf8(before)) << "the output box keeps its text";
    }
}

TEST_F(RunningFrontend, EscapeLeavesTheWindowOpenWhereverTheFocusIs)
{
    for (HWND control : {Input(), Button(), Output()}) {
        SCOPED_TRACE(Utf8(ClassOf(control)) + " " + std::to_string(GetWindowLongW(control, GWL_STYLE)));
        FocusControl(control);
        PressKey(VK_ESCAPE);
        Sleep(500);
        ASSERT_EQ(WaitExit(process_, 0), -1000) << "Esc ended the program";
        EXPECT_TRUE(IsWindowVisible(dialog_));
    }
    SendMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
    Sleep(300);
    EXPECT_EQ(WaitExit(process_, 0), -1000) << "IDCANCEL ended the program";
}

TEST_F(RunningFrontend, EnterInTheInputBoxRunsTheQuery)
{
    SendMessageW(Output(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    SendMessageW(Input(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"一心一意"));
    FocusControl(Input());
    PressKey(VK_RETURN);
    WaitUntil([this] { return !TextOf(Output()).empty(); });
    EXPECT_EQ(Utf8(TextOf(Output())), AFTER_YI);
}

TEST_F(RunningFrontend, SecondCopyRaisesTheFirstAndEnds)
{
    // Something else in front first: a window of the driver's own.
    HWND other = CreateWindowExW(0, L"Static", L"driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([other] { return GetForegroundWindow() == other; }));

    const Process second = Start(QUOVANT_APP_DIR);
    EXPECT_EQ(WaitExit(second), 0);
    EXPECT_TRUE(WaitUntil([] { return GetForegroundWindow() == dialog_; }))
        << "in front: " << GetForegroundWindow() << ", not the first copy's " << dialog_;
    EXPECT_EQ(TopWindows(process_.id).size(), 1u) << "the first copy shows only its window";
    DestroyWindow(other);
}

TEST_F(RunningFrontend, CloseEndsTheProgramWithCodeZero)
{
    PostMessageW(dialog_, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitExit(process_), 0);
}

// The program in a folder without a usable Quovant.dll: only the error box,
// no dialog, no mutex, and exit code 0 once the box is closed.
void ExpectMissingLibraryBox(const char *folder)
{
    const Process p = Start(folder);
    HWND box = WaitForDialog(p.id);
    ASSERT_NE(box, nullptr) << folder;
    EXPECT_EQ(TopWindows(p.id).size(), 1u) << "only the error box";
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"trevul.mutex.idioms");
    EXPECT_EQ(mutex, nullptr) << "no mutex before the library is bound";
    if (mutex != nullptr)
        CloseHandle(mutex);
    ExpectMessageBoxAndClose(box, L"丢失基本组件 Quovant.dll 程序无法运行。", 32513 /* IDI_ERROR */, folder);
    EXPECT_EQ(WaitExit(p), 0) << folder;
}

TEST(UnusableLibrary, MissingLibraryBringsOnlyTheErrorBox)
{
    ExpectMissingLibraryBox(QUOVANT_ALONE_DIR);
}

TEST(UnusableLibrary, DamagedLibraryBringsTheSameBox)
{
    ExpectMissingLibraryBox(QUOVANT_BAD_PINYIN_DIR);
    ExpectMissingLibraryBox(QUOVANT_BAD_IDIOMS_DIR);
}

}  // namespace
