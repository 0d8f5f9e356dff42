#include "ui/ask_insert_move.h"

TAskInsertMove::TAskInsertMove(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("AskInsertMove");
  app_.AskInsertMove = this;
}
