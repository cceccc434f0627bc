// Resource ids shared by kivolt.rc and the code that loads the resources.
// Plain macros only: this header is also read by the resource compiler.
#pragma once

// The program icon (RT_GROUP_ICON).
#define IDI_APP_ICON 1

// The same folder.ico file, byte for byte, as RCDATA: decoded at start-up into the
// folder icon used for shortcuts that point to a folder.
#define IDR_FOLDER_ICON_FILE 101
