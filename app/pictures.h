// The window's backdrop: the two baseline JPEG resources decoded once at
// start-up and composed into one 32-bit picture of the client area, the
// background tiled under the panel picture.
#pragma once

#include <windows.h>

#include "host/scoped_win.h"

// A new top-down 32-bit DIB section; `pixels` receives its first row.
UniqueBitmap createTopDownDib(int width, int height, void** pixels);

// A 32-bit picture of `width` × `height`: the JPEG resource `backgroundId` tiled from
// (0, 0), and over it, inside `panelArea`, the JPEG resource `panelId` from
// the area's top-left corner, cut at the area's edges. A resource that cannot
// be found or decoded leaves the button face colour in its place. Empty only
// when the picture itself cannot be made.
UniqueBitmap composeBackdrop(int width, int height, int backgroundId, int panelId, const RECT& panelArea);

// Copies the part of `picture` that lies under `area` of a window whose
// top-left corner is at `origin` in the picture.
void drawPart(HDC dc, HBITMAP picture, const RECT& area, POINT origin);
