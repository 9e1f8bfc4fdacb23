// State and texts that frontend.exe's entry and its dialog share.
#ifndef QUOVANT_FRONTEND_H
#define QUOVANT_FRONTEND_H

#include <windows.h>

#include "binding.h"
#include "product.h"

// The product's name as a wide string.
#define PRODUCT_NAME L"" QUOVANT_PRODUCT_NAME

// GetIdioms of the bound Quovant.dll; set at start and never cleared.
extern QuovantGetIdiomsFn g_pfnGetIdioms;

// The main dialog's procedure: builds the window, runs queries, closes.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
