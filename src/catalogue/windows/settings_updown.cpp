#include "catalogue/windows/settings_updown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/settings_file.h"
#include "platform/qt/qt_text.h"

UpDownArrows::UpDownArrows(QLineEdit* associate, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), associate_(associate), min_(minimum), max_(maximum), position_(minimum) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(16, 11);
    column->addWidget(b);
  }
  connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
  connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
  connect(associate_, &QLineEdit::textChanged, this, [this] { followEdit(); });
  associate_->installEventFilter(this);
  followEdit();
}

void UpDownArrows::setPosition(int position) { position_ = std::clamp(position, min_, max_); }

void UpDownArrows::stepBy(int delta) {
  setPosition(position_ + delta);
  associate_->setText(QString::number(position_));
}

void UpDownArrows::followEdit() {
  if (auto value = vemu::catalogue::SettingsInteger(vemu::platform::toCp1251(associate_->text())))
    setPosition(*value);
}

bool UpDownArrows::eventFilter(QObject* watched, QEvent* event) {
  if (watched == associate_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      stepBy(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
