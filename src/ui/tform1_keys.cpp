// The keys the main window sees before its controls: F4 and Delete.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "ui/tform1.h"
#include "ui/window_keys.h"

namespace {

// A control that takes typed text: there Delete edits the text.
bool IsTextField(const QWidget* w) {
  if (!w) return false;
  if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
      qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w))
    return true;
  const auto* combo = qobject_cast<const QComboBox*>(w);
  return combo && combo->isEditable();
}

vemu::ui::WindowKey WindowKeyOf(int key) {
  if (key == Qt::Key_F4) return vemu::ui::WindowKey::F4;
  if (key == Qt::Key_Delete) return vemu::ui::WindowKey::Delete;
  return vemu::ui::WindowKey::Other;
}

}  // namespace

void TForm1::FormKeyDown(int key, Qt::KeyboardModifiers keys) {
  const vemu::ui::KeyModifiers modifiers{keys.testFlag(Qt::ShiftModifier), keys.testFlag(Qt::ControlModifier),
                                         keys.testFlag(Qt::AltModifier)};
  const auto effect = vemu::ui::KeyDownOfWindow(WindowKeyOf(key), modifiers, Profile().kind == ProgramKind::Second,
                                                IsTextField(QApplication::focusWidget()));
  if (effect.setsStatus) SetStatusText(1, effect.status1);
  if (effect.sizing == vemu::ui::WindowSizing::Maximise) showMaximized();
  else if (effect.sizing == vemu::ui::WindowSizing::Restore) showNormal();
  if (effect.deletesSelection) Deleteobject1Click();
}
