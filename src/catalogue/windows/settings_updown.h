// The pair of small arrows beside a numeric edit of the settings window.
// The arrows step a position within fixed limits and show it in their edit;
// the position follows the edit whenever it comes to hold a whole number.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class UpDownArrows : public QWidget {
  Q_OBJECT
 public:
  UpDownArrows(QLineEdit* associate, int minimum, int maximum, QWidget* parent);

  int minimum() const { return min_; }
  int maximum() const { return max_; }
  int position() const { return position_; }
  // Moves the position (kept within the limits) without touching the edit.
  void setPosition(int position);
  // One arrow press: the position moves by delta within the limits and the
  // edit shows it.
  void stepBy(int delta);

  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 protected:
  // The cursor keys in the edit work the arrows.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void followEdit();

  QLineEdit* associate_;
  int min_;
  int max_;
  int position_;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};
