// The geometry requests of the canvas gestures: the hit test and the free
// place search (answered by `geometry`).
#pragma once

#include <QJsonObject>

// {"members": [[x, y], ...], "P": [x, y], "Scale"} -> {"hit": index or null}
QJsonObject GestureNodeAt(const QJsonObject& request);
// {"P1", "P2", "GridStep", "Scale", "members"} -> {"tried": [points], "result": point}
QJsonObject GestureFindFreePlace(const QJsonObject& request);
