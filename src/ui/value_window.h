// The value window: every field of one node, with its name, value, ground
// mark and amplifier sign to edit. Shown modally after ShowNode; the stores
// are the plain code of ui/value_fields.h.
#pragma once

#include <QDialog>

#include "model/graph.h"
#include "ui/app_windows.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class TFormInputValue : public QDialog {
  Q_OBJECT
 public:
  explicit TFormInputValue(AppWindows& app, QWidget* parent = nullptr);

  // The node being inspected; null after creation.
  vemu::model::TheNode* Node = nullptr;

  // Labels of the fields (captions from the captions file).
  QLabel* Value = nullptr;   // beside the value
  QLabel* Label1 = nullptr;  // beside the name
  QLabel* Label2 = nullptr;  // beside the type code
  QLabel* Label4 = nullptr;  // beside the number (hidden)

  QLabel* Image1 = nullptr;          // the type's button picture, 32 x 32
  QLineEdit* Edit1 = nullptr;        // name; Enter = OK
  QLineEdit* Edit2 = nullptr;        // type code (read-only)
  QLineEdit* Edit3 = nullptr;        // "#" and the number (read-only, hidden)
  QPlainTextEdit* Memo1 = nullptr;   // value, one line per part of a multi-line note
  QPlainTextEdit* Memo2 = nullptr;   // type description, owner, links (read-only)
  QComboBox* ComboBox1 = nullptr;    // ground mark of a junction
  QCheckBox* CheckBox1 = nullptr;    // "Invertion": amplifier sign "-"
  QToolButton* SpeedButton1 = nullptr;  // the sub-circuit window for a container
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCansel = nullptr;
  QPushButton* Button1 = nullptr;    // "Debug ONLY"

  void FormCreate();
  // Fills the window with n (may be null).
  void ShowNode(vemu::model::TheNode* n);
  // Stores the edits into Node and closes; stays open after a refusal.
  void ButtonOKClick();
  void ButtonCanselClick();
  // Esc (27) closes without storing.
  void FormKeyPress(char key);
  // Enter in the name confirms; Enter in the value confirms for an element
  // that is not a multi-line text note.
  bool Edit1KeyPress(char key);
  bool Memo1KeyPress(char key);
  void SpeedButton1Click();
  void Button1Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void ShowTypePicture(int type);

  AppWindows& app_;
};
