// State and texts that frontend.exe's entry and its dialog share.
#ifndef QUOVANT_FRONTEND_H
#define QUOVANT_FRONTEND_H

#include <windows.h>

#include "binding.h"

// The product's name: the dialog's caption, the title a second copy looks
// for, both message boxes' caption and the input box's first text.
#define PRODUCT_NAME L"翠岫弈天"

// The main dialog's procedure: builds the window, runs queries, closes.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
