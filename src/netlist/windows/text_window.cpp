#include "netlist/windows/text_window.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "catalogue/messages.h"
#include "catalogue/settings.h"
#include "files/file_commands.h"
#include "netlist/analysis_run.h"
#include "netlist/analysis_stages.h"
#include "netlist/windows/text_window_icons.h"
#include "netlist/windows/top_level_titles.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/text_file.h"
#include "ui/tform1.h"

namespace platform = vemu::platform;

TForm6::TForm6(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("Form6");
  setWindowTitle(QStringLiteral("Cir file"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setIconSize(QSize(32, 32));
  layout->addWidget(ToolBar1);
  ToolButton4 = AddToolButton("ToolButton4", vemu::netlist::kComputeCir, "Compute CIR", true);
  ToolButton1 = AddToolButton("ToolButton1", vemu::netlist::kLoadCir, "Load CIR-file", true);
  ToolButton5 = AddToolButton("ToolButton5", vemu::netlist::kComputeOut, "Comput OUT from CIR", false);
  ToolButton2 = AddToolButton("ToolButton2", vemu::netlist::kLoadOut, "Load OUT-file", true);
  ToolButton6 = AddToolButton("ToolButton6", vemu::netlist::kComputeClc, "Compute CLC from OUT", false);
  ToolButton3 = AddToolButton("ToolButton3", vemu::netlist::kLoadClc, "Load CLC-file", true);
  ToolButton7 = AddToolButton("ToolButton7", vemu::netlist::kLoadValues, "Load values to circuit", true);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(Memo1, 1);
  connect(Memo1->document(), &QTextDocument::contentsChanged, this, [this] {
    if (!appending_) leadingEmptyLine_ = false;
  });

  Button1 = new QPushButton(QStringLiteral("Run Programms"), this);
  Button1->setObjectName("Button1");
  Button1->setVisible(false);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  CopytoClipboard1 = PopupMenu1->addAction(QStringLiteral("Copy to Clipboard"));
  CopytoClipboard1->setObjectName("CopytoClipboard1");
  connect(CopytoClipboard1, &QAction::triggered, this, [this] { CopytoClipboard1Click(); });
  SaveThisCIRfile1 = PopupMenu1->addAction(QStringLiteral("Save This CIR-file"));
  SaveThisCIRfile1->setObjectName("SaveThisCIRfile1");
  connect(SaveThisCIRfile1, &QAction::triggered, this, [this] { SaveThisCIRfile1Click(); });

  // The window sees the keys before its controls.
  installEventFilter(this);
  Memo1->installEventFilter(this);
  Memo1->viewport()->installEventFilter(this);
  app_.Form6 = this;
  FormCreate();
}

QToolButton* TForm6::AddToolButton(const char* name, int tag, const char* hint, bool enabled) {
  auto* button = new QToolButton(ToolBar1);
  button->setObjectName(name);
  button->setProperty("Tag", tag);
  button->setToolTip(QString::fromLatin1(hint));
  button->setIcon(TextWindowIcon(tag));
  button->setIconSize(QSize(32, 32));
  button->setEnabled(enabled);
  ToolBar1->addWidget(button);
  connect(button, &QToolButton::clicked, this, [this, button] { ToolButton1Click(button); });
  return button;
}

void TForm6::FormCreate() {
  if (QWidget* main = app_.Form1) move(main->x(), main->y() + 40);
}

void TForm6::FormKeyPress(char key) {
  if (key == 27) hide();
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick && watched == Memo1->viewport()) {
    Memo1DblClick();
    return false;
  }
  if (event->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      FormKeyPress(27);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TForm6::ToolButton1Click(QToolButton* sender) {
  if (!sender) return;
  const int tag = sender->property("Tag").toInt();
  hide();
  ToolButton5->setEnabled(tag == vemu::netlist::kLoadCir || tag == vemu::netlist::kComputeCir);
  ToolButton6->setEnabled(tag == vemu::netlist::kLoadOut || tag == vemu::netlist::kComputeOut);
  // A netlist the user stopped is not offered to the analysis program.
  if (app_.Form1 && !app_.Form1->TextWindowStage(tag)) ToolButton5->setEnabled(false);
  setWindowTitle(sender->toolTip());
  ShowLog();
}

void TForm6::Memo1DblClick() {
  for (QToolButton* b : {ToolButton1, ToolButton2, ToolButton3, ToolButton4}) b->setEnabled(true);
  ToolButton5->setEnabled(false);
  ToolButton6->setEnabled(false);
}

bool TForm6::SaveMemoToFile(const std::string& path) { return vemu::netlist::SaveLogToFile(*this, path); }

void TForm6::SaveThisCIRfile1Click() {
  platform::FileDialogRequest request;
  request.filters = vemu::files::CircuitDialogFilters();
  request.filterIndex = vemu::files::kNetlistFilter;
  request.initialDir = platform::programFolder() + "FILES";
  if (app_.Form1) request.fileName = app_.Form1->SaveDialogFileName;
  const auto chosen = platform::dialogs().saveFile(request);
  if (!chosen) return;
  // The dialog does not say which filter was chosen at the end; a name of
  // the circuit filter is taken as the sign that it was not the netlist's,
  // so a circuit file is never overwritten with a netlist.
  const bool circuitName = chosen->size() >= 4 && chosen->compare(chosen->size() - 4, 4, ".dag") == 0;
  if (circuitName) {
    platform::dialogs().showMessage(vemu::catalogue::GetMsg(30) + "\r" + *chosen);
    return;
  }
  SaveMemoToFile(*chosen);
}

void TForm6::CopytoClipboard1Click() { Memo1->copy(); }

void TForm6::Button1Click() {
  ClearLog();
  AppendLines(TopLevelWindowTitles());
}

std::vector<std::string> TForm6::MemoLines() const {
  std::vector<std::string> lines;
  const QTextDocument* doc = Memo1->document();
  if (doc->isEmpty()) {
    if (leadingEmptyLine_) lines.emplace_back();
    return lines;
  }
  lines.reserve(static_cast<std::size_t>(doc->blockCount()));
  for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next()) lines.push_back(platform::toCp1251(b.text()));
  return lines;
}

void TForm6::SetMemoLines(const std::vector<std::string>& cp1251) {
  ClearLog();
  AddFileLines(cp1251);
}

void TForm6::AppendLines(const QStringList& lines) {
  if (!lines.isEmpty()) AppendJoinedLines(lines.join(QLatin1Char('\n')));
}

void TForm6::AppendJoinedLines(QString text) {
  appending_ = true;
  if (!Memo1->document()->isEmpty()) {
    Memo1->appendPlainText(text);
  } else {
    if (leadingEmptyLine_) text.prepend(QLatin1Char('\n'));
    leadingEmptyLine_ = text.isEmpty();
    if (!text.isEmpty()) Memo1->setPlainText(text);
  }
  appending_ = false;
}

void TForm6::ClearLog() {
  Memo1->clear();
  leadingEmptyLine_ = false;
  shortened_.clear();
}

bool TForm6::ShowsShortened(const std::string& path) const {
  for (const std::string& file : shortened_)
    if (file == path || platform::sameFile(file, path)) return true;
  return false;
}

void TForm6::AddText(const std::string& utf8) { AppendLines({platform::fromUtf8(utf8)}); }

void TForm6::AddFileLines(const std::vector<std::string>& cp1251) {
  if (cp1251.empty()) return;
  // The lines joined and converted at once: a large file makes no text per line.
  std::size_t size = cp1251.size();
  for (const auto& line : cp1251) size += line.size();
  std::string joined;
  joined.reserve(size);
  for (const auto& line : cp1251) joined.append(line).push_back('\n');
  joined.pop_back();
  AddFileText(joined);
}

void TForm6::AddFileText(std::string_view cp1251) { AppendJoinedLines(platform::fromCp1251(cp1251)); }

void TForm6::SetLogCaption(const std::string& utf8) { setWindowTitle(platform::fromUtf8(utf8)); }

void TForm6::ShowLog() {
  show();
  raise();
  activateWindow();
}
