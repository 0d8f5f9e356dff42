// The settings window. Its controls edit the run's Settings, each change at
// once; its creation reads IMAGES/start.txt, applies the captions file and
// starts the main timer. OK and SAVE copy the numeric settings out to the
// main window and the view; SAVE also writes start.txt.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/settings.h"
#include "ui/app_windows.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class UpDownArrows;

class TForm3 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm3(AppWindows& app, QWidget* parent = nullptr);
  ~TForm3() override;

  // Applies IMAGES/language2.txt to the captions, hints and type descriptions
  // of all windows.
  void LoadLanguageFile();

  // --- handlers ---
  void ButtonOKClick();
  void ButtonSAVEClick();
  // The click on any of the eight colour edits.
  void EditInfoColorClick(QLineEdit* edit);
  // Shows setup.sym for editing.
  void Button1Click();
  void FormKeyPress(char key);

  // The values the controls edit (the run's one Settings object).
  vemu::catalogue::Settings& settings() { return *settings_; }
  // Puts the Settings values into the controls.
  void ShowSettings();

  // --- controls ---
  QGroupBox* GroupBox1 = nullptr;  // "Shadow settings"
  QGroupBox* GroupBox2 = nullptr;  // "Other"
  QGroupBox* GroupBox3 = nullptr;  // "Nodes"
  QGroupBox* GroupBox4 = nullptr;  // "Lines"

  QCheckBox* CheckShadow = nullptr;
  QCheckBox* CheckShadowMoving = nullptr;
  QCheckBox* CheckCross = nullptr;
  QCheckBox* CheckNodeMove = nullptr;
  QCheckBox* CheckLineMove = nullptr;
  QCheckBox* CheckNamesSee = nullptr;
  QCheckBox* CheckTransparency = nullptr;
  QCheckBox* CheckPlusMines = nullptr;
  QCheckBox* CheckValues = nullptr;
  QCheckBox* Checknodes = nullptr;
  QCheckBox* CheckDrawAndCreate = nullptr;
  QCheckBox* CheckImages = nullptr;
  QCheckBox* CheckPMonCurrent = nullptr;
  QCheckBox* CheckSeeGrid = nullptr;
  QCheckBox* CheckUseGrid = nullptr;
  QCheckBox* CheckAdditionalString = nullptr;
  QCheckBox* CheckAutoLoadOutFile = nullptr;
  QCheckBox* CheckFitToGridOnMoving = nullptr;
  QCheckBox* CheckLoadDigitAnywere = nullptr;
  QCheckBox* CheckUpdateDigitsOnCircuit = nullptr;
  QCheckBox* CheckNodeToCenterIfError = nullptr;
  QCheckBox* CheckAutoLoadClcFile = nullptr;
  QCheckBox* CheckWindowDelete = nullptr;
  QCheckBox* CheckEye = nullptr;
  QCheckBox* CheckDoubleIn = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QCheckBox* CheckTreeActionByOnePress = nullptr;

  QLineEdit* EditTimer = nullptr;
  QLineEdit* EditSpeedLines = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLineEdit* EditArrowSize = nullptr;
  QLineEdit* EditLine1Color = nullptr;
  QLineEdit* EditLine2Color = nullptr;
  QLineEdit* EditLine3Color = nullptr;
  QLineEdit* EditGrid = nullptr;
  QLineEdit* EditTLine = nullptr;
  QLineEdit* EditAdditionalStr = nullptr;
  QLineEdit* EditInfoColor = nullptr;
  QLineEdit* EditTBrush = nullptr;
  QLineEdit* EditTColor = nullptr;

  UpDownArrows* UpDownTimer = nullptr;
  UpDownArrows* UpDownSpeedLines = nullptr;
  UpDownArrows* UpDown1 = nullptr;
  UpDownArrows* UpDownArrowSize = nullptr;
  UpDownArrows* UpDownLine1 = nullptr;
  UpDownArrows* UpDownLine2 = nullptr;
  UpDownArrows* UpDownLine3 = nullptr;
  UpDownArrows* UpDownGrid = nullptr;
  UpDownArrows* UpDownTLine = nullptr;

  QLabel* Label1 = nullptr;       // beside EditTimer
  QLabel* Label2 = nullptr;       // EditSpeedLines
  QLabel* Label3 = nullptr;       // Edit1
  QLabel* Label4 = nullptr;       // EditArrowSize
  QLabel* Label5 = nullptr;       // EditLine1Color
  QLabel* Label6 = nullptr;       // EditLine2Color
  QLabel* Label7 = nullptr;       // EditLine3Color
  QLabel* Label8 = nullptr;       // EditGrid
  QLabel* LabelText = nullptr;    // EditTLine
  QLabel* LabelBatBox = nullptr;  // BoxBat

  QComboBox* BoxBat = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonSAVE = nullptr;
  QPushButton* Button1 = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Clicks on the colour edits.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct CheckBinding {
    QCheckBox* box;
    bool vemu::catalogue::Settings::*field;
  };
  struct TextBinding {
    QLineEdit* edit;
    std::string vemu::catalogue::Settings::*field;
  };
  struct ColourBinding {
    QLineEdit* edit;
    std::uint32_t vemu::catalogue::Settings::*field;
  };

  void FormCreate();
  // settings_controls.cpp
  void CreateControls();
  QCheckBox* AddCheck(QGroupBox* box, const char* name, const char* caption,
                      bool vemu::catalogue::Settings::*field);
  QLineEdit* AddTextEdit(const char* name, std::string vemu::catalogue::Settings::*field);
  QLineEdit* AddColourEdit(QLineEdit* edit, const char* name, std::uint32_t vemu::catalogue::Settings::*field);
  void ShowColour(QLineEdit* edit, std::uint32_t colour);

  // OK and SAVE: the numeric settings to the view and the main window, then
  // the timer rate.
  void CopyOutNumbers();
  // The main timer's interval from the tick rate; a rate that is no whole
  // number from 1 to 40 leaves the interval as it is.
  void ApplyTimerRate();

  AppWindows& app_;
  std::unique_ptr<vemu::catalogue::Settings> ownSettings_;  // only without app_.Settings
  vemu::catalogue::Settings* settings_ = nullptr;
  bool showing_ = false;  // ShowSettings at work: the controls do not write back
  std::vector<CheckBinding> checks_;
  std::vector<TextBinding> texts_;
  std::vector<ColourBinding> colours_;
};
