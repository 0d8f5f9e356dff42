// The element-type window: the element-type table one type at a time. It
// changes nothing in a type but its picture file name; it writes the whole
// table to IMAGES/nodesinfo.txt and takes the picture names back from it.
#pragma once

#include <QDialog>
#include <string>

#include "catalogue/node_type_info.h"
#include "ui/app_windows.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TFormAddNewNodeType : public QDialog {
  Q_OBJECT
 public:
  explicit TFormAddNewNodeType(AppWindows& app, QWidget* parent = nullptr);

  // Shows type 0 and lists every type "[i] description".
  void FillTypeList();
  // Shows type i (0 to 38); an error box for any other i.
  void ShowType(int i);
  // Shows the type of the line that holds the text caret.
  void Memo1Click();
  // The picture of the current type, chosen in the picture chooser.
  void ButtonLoadImgClick();
  // Writes IMAGES/nodesinfo.txt from the table.
  void ButtonSaveClick();
  // Takes the picture names back from IMAGES/nodesinfo.txt.
  void ButtonLoadFileClick();
  void ButtonOKClick() { done(QDialog::Accepted); }
  void ButtonCanselClick() { done(QDialog::Rejected); }
  void FormKeyPress(char key);

  int CurrentType() const { return current_; }

  QPlainTextEdit* Memo1 = nullptr;  // the types, one a line
  QLabel* Label4 = nullptr;         // "NAME: i type"
  QCheckBox* CheckBox1 = nullptr;   // UseInfoLink
  QLineEdit* Edit1 = nullptr;       // L_in
  QLineEdit* Edit2 = nullptr;       // L_out
  QCheckBox* CheckBox2 = nullptr;   // V
  QLineEdit* Edit3 = nullptr;       // wire style character
  QCheckBox* CheckBox3 = nullptr;   // Flag_Arrow
  QCheckBox* CheckBox4 = nullptr;   // TwoChars
  QLineEdit* Edit4 = nullptr;       // picture file name
  QLineEdit* Edit5 = nullptr;       // description
  QLabel* Image1 = nullptr;         // normal glyph
  QLabel* Image2 = nullptr;         // highlighted glyph
  QLabel* Image3 = nullptr;         // the picture file
  QPlainTextEdit* Memo2 = nullptr;  // the load report
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCansel = nullptr;
  QPushButton* ButtonSave = nullptr;  // disabled until a file has been loaded
  QPushButton* ButtonLoadFile = nullptr;
  QPushButton* ButtonLoadImg = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  vemu::catalogue::NodeTypeTable* Table() const;
  void CreateControls();

  AppWindows& app_;
  int current_ = 0;
};
