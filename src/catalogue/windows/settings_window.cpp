#include "catalogue/windows/settings_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include "catalogue/messages.h"
#include "catalogue/settings_file.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "ui/tform1.h"
#include "view/view_globals.h"

namespace catalogue = vemu::catalogue;
namespace platform = vemu::platform;

TForm3::TForm3(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  if (!app_.Settings) ownSettings_ = std::make_unique<catalogue::Settings>();
  settings_ = app_.Settings ? app_.Settings : ownSettings_.get();
  app_.Form3 = this;
  CreateControls();
  ShowSettings();
  FormCreate();
}

TForm3::~TForm3() {
  if (app_.Form3 == this) app_.Form3 = nullptr;
}

void TForm3::FormCreate() {
  catalogue::Settings& s = settings();
  BoxBat->clear();
  BoxBat->addItems({"1", "2", "3", "4"});
  BoxBat->setCurrentIndex(0);
  int computationType = 1;
  vemu::view::LineSpeed = 1;

  const std::string path = catalogue::StartFilePath();
  if (platform::fileExists(path)) {
    const catalogue::StartFileResult read = catalogue::ReadStartFile(s, path);
    if (!read.error.empty())
      platform::dialogs().messageBox("Vemu", read.error, platform::MsgButtons::Ok, platform::MsgIcon::Error);
    if (TForm1* form1 = app_.Form1) {
      if (read.LineWidth0) form1->LineWidth0 = *read.LineWidth0;
      if (read.LineWidth1) form1->LineWidth1 = *read.LineWidth1;
      if (read.LineWidth2) form1->LineWidth2 = *read.LineWidth2;
      if (read.GridStep) form1->GridStep = *read.GridStep;
    }
    if (read.ComputationType) computationType = *read.ComputationType;
    ShowSettings();
  }

  LoadLanguageFile();
  BoxBat->setCurrentIndex(computationType);
  s.BoxBat = computationType;
  ApplyTimerRate();
  if (auto speed = catalogue::SettingsInteger(s.EditSpeedLines)) vemu::view::LineSpeed = *speed;
  if (auto size = catalogue::SettingsInteger(s.EditArrowSize)) vemu::view::ArrowSize = *size;
  if (app_.Form1) app_.Form1->Timer1->start();
}

void TForm3::ShowSettings() {
  const catalogue::Settings& s = settings();
  showing_ = true;
  for (const CheckBinding& b : checks_) b.box->setChecked(s.*b.field);
  for (const TextBinding& b : texts_) {
    const QString text = platform::fromCp1251(s.*b.field);
    if (b.edit->text() != text) b.edit->setText(text);
  }
  for (const ColourBinding& b : colours_) ShowColour(b.edit, s.*b.field);
  if (s.BoxBat >= 0 && s.BoxBat < BoxBat->count()) BoxBat->setCurrentIndex(s.BoxBat);
  showing_ = false;
}

void TForm3::CopyOutNumbers() {
  const catalogue::CopiedValues values = catalogue::CopiedSettingValues(settings());
  if (values.LineSpeed) vemu::view::LineSpeed = *values.LineSpeed;
  if (values.ArrowSize) vemu::view::ArrowSize = *values.ArrowSize;
  if (TForm1* form1 = app_.Form1) {
    if (values.LineWidth0) form1->LineWidth0 = *values.LineWidth0;
    if (values.LineWidth1) form1->LineWidth1 = *values.LineWidth1;
    if (values.LineWidth2) form1->LineWidth2 = *values.LineWidth2;
    if (values.GridStep) form1->GridStep = *values.GridStep;
  }
  ApplyTimerRate();
}

void TForm3::ApplyTimerRate() {
  if (!app_.Form1) return;
  if (auto interval = catalogue::TimerIntervalFor(settings().EditTimer)) app_.Form1->Timer1->setInterval(*interval);
}

void TForm3::ButtonOKClick() {
  CopyOutNumbers();
  accept();
}

void TForm3::ButtonSAVEClick() {
  CopyOutNumbers();
  const std::string path = catalogue::StartFileToWrite();
  std::string error;
  if (!catalogue::WriteStartFile(settings(), path, &error))
    platform::dialogs().messageBox("Vemu", error, platform::MsgButtons::Ok, platform::MsgIcon::Error);
  accept();
}

void TForm3::EditInfoColorClick(QLineEdit* edit) {
  for (const ColourBinding& b : colours_) {
    if (b.edit != edit) continue;
    if (auto chosen = platform::dialogs().chooseColor(settings().*b.field)) {
      settings().*b.field = *chosen;
      ShowColour(edit, *chosen);
    }
    return;
  }
}

void TForm3::Button1Click() {
  const std::string path = platform::programFolder() + "setup.sym";
  std::string reason;
  auto bytes = platform::fileExists(path) ? platform::readFileBytes(path, platform::kSettingsReadLimit, &reason)
                                          : std::nullopt;
  if (!bytes) {
    platform::dialogs().messageBox("Vemu", platform::withSizeReason(catalogue::GetMsg(0) + "\r" + path, reason),
                                   platform::MsgButtons::Ok,
                                   platform::MsgIcon::None);
    return;
  }
  platform::TextEditRequest request;
  request.caption = "Vemu";
  request.text = "File: \"setup.sym\"\r" + catalogue::GetMsg(35);
  request.lines = platform::splitLines(platform::decodeFileText(*bytes));
  request.width = 310;
  request.height = 400;
  auto edited = platform::dialogs().editText(request);
  if (!edited) return;
  std::vector<std::string> lines;
  lines.reserve(edited->size());
  for (const std::string& line : *edited) lines.push_back(platform::utf8ToCp1251(line));
  std::string error;
  if (!platform::writeLines(path, lines, &error))
    platform::dialogs().messageBox("Vemu", error, platform::MsgButtons::Ok, platform::MsgIcon::Error);
}

void TForm3::FormKeyPress(char key) {
  if (key == 27) reject();
}

void TForm3::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    FormKeyPress(27);
    return;
  }
  QDialog::keyPressEvent(event);
}

void TForm3::showEvent(QShowEvent* event) {
  // Other commands may have changed settings meanwhile (the picture export
  // turns the grid off and on again).
  ShowSettings();
  QDialog::showEvent(event);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    for (const ColourBinding& b : colours_) {
      if (b.edit == watched && b.edit->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        EditInfoColorClick(b.edit);
        break;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}
