// Identifiers of the resources compiled into Quillorn.exe (shared by the
// resource script and the code, so keep it free of anything windres cannot read).
#pragma once

#define IDI_APPLICATION_ICON 1
#define IDR_BACKGROUND_JPEG 101
#define IDR_PANEL_JPEG 102
