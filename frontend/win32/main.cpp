// frontend.exe's entry: binds Quovant.dll at run time, lets one copy run
// (a second one brings the first to the front and ends), and runs the main
// dialog until it is closed. Nothing is released at the end: the library,
// the mutex and the font live until the process ends.
#include <windows.h>

#include <commctrl.h>

#include "frontend.h"
#include "resource.h"

static const wchar_t MUTEX_NAME[] = L"" QUOVANT_INSTANCE_NAME;

QuovantGetIdiomsFn g_pfnGetIdioms = nullptr;

// Claims the single-instance mutex, held until the process ends. True only
// when another process already holds it; any other failure lets this copy run.
static bool IsAnotherCopyRunning()
{
    HANDLE mutex = CreateMutexW(nullptr, TRUE, MUTEX_NAME);
    if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return true;
    }
    return false;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // A library that refused to load because its dictionary is damaged
    // counts as missing.
    if (!BindLibrary(LIBRARY_FILE_NAME)) {
        MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(BINDING_FAILURE_TEXT), PRODUCT_NAME,
                    MB_OK | MB_ICONERROR);
        return 0;
    }
    g_pfnGetIdioms = g_library.GetIdioms;
    if (IsAnotherCopyRunning()) {
        HWND first = FindWindowW(nullptr, PRODUCT_NAME);
        if (first != nullptr)
            SetForegroundWindow(first);
        return 0;
    }
    InitCommonControls();
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0));
}
