// Resource identifiers, shared by zelvane.rc and the code.
#pragma once

#define IDS_APPTITLE 1   // the name that hosts list and the application title
#define IDI_CLOCK 101    // the program icon, also shown by the About dialog
#define IDC_HANDPOINT 101  // the pointer over the About dialog's links
