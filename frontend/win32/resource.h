// Resource and control ids of frontend.exe, shared by the .rc file and the code.
#ifndef QUOVANT_FRONTEND_RESOURCE_H
#define QUOVANT_FRONTEND_RESOURCE_H

#define IDD_MAIN 101    // the main dialog's template
#define IDC_START 1001  // the 开始 button

#endif
