// The pictures of the main window's tool buttons, drawn in code: one small
// picture per button, named by the button's object name.
#pragma once

#include <QImage>
#include <QString>

class QToolBar;

// The picture of the tool button `buttonName` at size x size pixels
// (transparent background); a null image for a name without a picture.
QImage ToolButtonPicture(const QString& buttonName, int size = 24);

// Every tool button of the bar that has a picture shows it instead of its
// text; its hint stays its tool tip.
void ShowToolButtonPictures(QToolBar* bar);
