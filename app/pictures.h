// The two pictures compiled into the executable as baseline JPEG resources,
// decoded once at start-up into bitmaps ready to draw.
#pragma once

#include <windows.h>

#include "host/scoped_win.h"

struct Picture {
    UniqueBitmap bitmap;
    int width = 0;
    int height = 0;
    explicit operator bool() const { return static_cast<bool>(bitmap); }
};

// A new top-down 32-bit DIB section; `pixels` receives its first row.
UniqueBitmap createTopDownDib(int width, int height, void** pixels);

// Decodes the RCDATA resource `resourceId` (a JPEG); an empty Picture when it
// cannot be found or decoded. Needs OLE (or COM) initialised on the thread.
Picture loadJpegResource(int resourceId);

// Fills `area` with copies of the picture placed edge to edge from (0, 0).
void drawTiled(HDC dc, const Picture& picture, const RECT& area);

// Draws the picture at its natural size with its top-left corner at (x, y);
// the DC's clipping region cuts what falls outside.
void drawPicture(HDC dc, const Picture& picture, int x, int y);
