// The tool's flat, owner-drawn push buttons: orange face, white caption,
// lighter with a raised edge under the mouse, sunken when pressed, a tooltip
// with the caption text.
#pragma once

#include <windows.h>

// Call once after creating a BS_OWNERDRAW button: tracks the mouse for the
// hover look and, from the first hover on, the tooltip (at most 400 pixels wide).
void makeFlatButton(HWND button);

// Draws the button described by `item`; the parent calls it from WM_DRAWITEM.
void drawFlatButton(const DRAWITEMSTRUCT& item);
