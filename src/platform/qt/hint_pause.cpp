#include "platform/qt/hint_pause.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace vemu::platform {
namespace {

class HintPauseFilter final : public QObject {
 public:
  HintPauseFilter(QObject* parent, int milliseconds) : QObject(parent), milliseconds_(milliseconds) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->toolTip().isEmpty()) return false;
    auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(), milliseconds_);
    return true;
  }

 private:
  int milliseconds_;
};

}  // namespace

void SetHintHidePause(QApplication& application, int milliseconds) {
  application.installEventFilter(new HintPauseFilter(&application, milliseconds));
}

}  // namespace vemu::platform
