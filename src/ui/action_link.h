// A menu item or a tool button that runs a shared action. Triggering the
// control runs the action; when the action's caption, hint or enabled state
// changes, the control takes the new value. Only the property that changed
// is passed on, so a caption or hint given to the control itself stays
// until the action's own one changes.
#pragma once

#include <string>

class QAbstractButton;
class QAction;

// A menu item's caption (UTF-8) without its accelerator marks; empty for null.
std::string PlainCaption(const QAction* item);

// The item takes the action's caption, hint and enabled state now and
// whenever they change.
void LinkToAction(QAction* item, QAction* action);
// The button takes the action's hint and enabled state now and whenever they
// change; its own caption stays.
void LinkToAction(QAbstractButton* button, QAction* action);
