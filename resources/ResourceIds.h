/* The resource identifiers, shared by Tavrems.rc and the code. */
#pragma once

#define IDD_ABOUT 103
#define IDD_HELP 129
#define IDB_HELP_PICTURE 133
#define IDI_TAVREMS 143

/* The about dialog's "More..." button, and the help dialog's OK. */
#define IDC_ABOUT_MORE 3
#define IDC_HELP_OK 1007
