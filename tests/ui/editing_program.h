// A whole program on a scratch folder with the shipped data, for the
// placement and naming tests: scripted dialogs, the modal windows run by a
// recording runner instead of their own loop.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <functional>

#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"
#include "ui/paint_box.h"
#include "ui/program_profile.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

namespace vemu::test {

// The runner of the program's modal windows: counts them and hands each to
// `onShow`, which answers with the modal result.
struct ModalWindows {
  static inline int shown = 0;
  static inline std::function<int(QWidget&)> onShow;
  static int Run(QWidget& window) {
    ++shown;
    return onShow ? onShow(window) : 2;
  }
};

struct EditingProgram {
  explicit EditingProgram(const ProgramProfile& profile = FullProgramProfile())
      : folder(), data((folder.copyShippedData(), 0)), scope(dialogs), set(profile, {"vemu3"}) {
    ModalWindows::shown = 0;
    ModalWindows::onShow = nullptr;
    form().RunModalWindow = &ModalWindows::Run;
  }
  ~EditingProgram() { ModalWindows::onShow = nullptr; }
  ScratchFolder folder;
  int data;
  platform::ScriptedDialogs dialogs;
  platform::ScopedDialogs scope;
  WindowSet set;
  TForm1& form() { return *set.windows().Form1; }
  model::TheNode* root() { return form().Graph->MainNode; }

  // Chooses the palette button of that object name.
  void choose(const char* button) { form().findChild<QAbstractButton*>(button)->click(); }
  // A double click on the canvas at the screen point (x, y).
  void doubleClick(int x, int y) {
    form().MousePoint = {x, y};
    QMouseEvent press(QEvent::MouseButtonDblClick, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form().PaintBox1, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form().PaintBox1, &release);
  }
  void key(QWidget* target, int code, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
  }
  // The kind-1 members of the shown level, in list order.
  std::vector<model::TheNode*> members() {
    std::vector<model::TheNode*> out;
    root()->forEachLine([&](model::TheLine* l) {
      if (l->Kind == model::alHaveItem) out.push_back(l->Node);
    });
    return out;
  }
};

}  // namespace vemu::test
