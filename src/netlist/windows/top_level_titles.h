// The titles of the display's top-level windows, for the text window's
// diagnostic list: visible windows without an owner that have a title, in
// the window manager's order. On X11 the window manager's client list is
// read; where there is no X11 display (e.g. offscreen), the program's own
// top-level windows stand in for it.
#pragma once

#include <QStringList>

// Each title is cut to 127 characters.
QStringList TopLevelWindowTitles();
