/* The resource identifiers, shared by Tavrems.rc and the code. */
#pragma once

#define IDD_ABOUT 103
#define IDD_HELP 129
#define IDB_HELP_PICTURE 133
#define IDD_AUDIO_EDITION 135
#define IDB_AUDIO_EDITION_1 141
#define IDB_AUDIO_EDITION_2 142
#define IDI_TAVREMS 143

/* The about dialog's "More..." button, and the help dialog's OK. */
#define IDC_ABOUT_MORE 3
#define IDC_HELP_OK 1007

/* The audio-edition dialog's store buttons (Cancel is IDCANCEL). */
#define IDC_AUDIO_EDITION_US 3
#define IDC_AUDIO_EDITION_FRANCE 5
#define IDC_AUDIO_EDITION_GERMANY 6
