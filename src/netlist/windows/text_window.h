// The text window: its memo holds the netlist, the analysis output and the
// run log; its tool bar takes an analysis one stage at a time.
#pragma once

#include <QDialog>
#include <QStringList>
#include <string>
#include <vector>

#include "netlist/analysis_host.h"
#include "ui/app_windows.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolBar;
class QToolButton;

class TForm6 : public QDialog, public vemu::netlist::AnalysisLog {
  Q_OBJECT
 public:
  explicit TForm6(AppWindows& app, QWidget* parent = nullptr);

  QToolBar* ToolBar1 = nullptr;
  // Left to right: Tags 4, 1, 5, 2, 6, 3, 7.
  QToolButton* ToolButton4 = nullptr;
  QToolButton* ToolButton1 = nullptr;
  QToolButton* ToolButton5 = nullptr;
  QToolButton* ToolButton2 = nullptr;
  QToolButton* ToolButton6 = nullptr;
  QToolButton* ToolButton3 = nullptr;
  QToolButton* ToolButton7 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* Button1 = nullptr;  // "Run Programms", hidden: lists the display's windows
  // Attached to nothing: no gesture opens it.
  QMenu* PopupMenu1 = nullptr;
  QAction* CopytoClipboard1 = nullptr;
  QAction* SaveThisCIRfile1 = nullptr;

  void FormCreate();
  // Esc (27) hides the window.
  void FormKeyPress(char key);
  // The one handler of the seven tool buttons, by the sender's Tag.
  void ToolButton1Click(QToolButton* sender);
  void Memo1DblClick();
  // Saves the memo's lines (code page 1251, CR LF); a failure is reported.
  bool SaveMemoToFile(const std::string& path);
  void SaveThisCIRfile1Click();
  void CopytoClipboard1Click();
  void Button1Click();

  // The memo as lines of code page 1251 bytes (an empty memo has none).
  std::vector<std::string> MemoLines() const;
  void SetMemoLines(const std::vector<std::string>& cp1251);

  // AnalysisLog
  void ClearLog() override;
  void AddText(const std::string& utf8) override;
  void AddFileLines(const std::vector<std::string>& cp1251) override;
  void AddFileText(std::string_view cp1251) override;
  std::vector<std::string> LogLines() const override { return MemoLines(); }
  void NoteShortenedFile(const std::string& path) override { shortened_.push_back(path); }
  bool ShowsShortened(const std::string& path) const override;
  void SetLogCaption(const std::string& utf8) override;
  void ShowLog() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* AddToolButton(const char* name, int tag, const char* hint, bool enabled);
  void AppendLines(const QStringList& lines);
  // Appends lines already joined with line feeds (at least one line).
  void AppendJoinedLines(QString text);

  AppWindows& app_;
  // A memo whose only line is empty looks like an empty document; this
  // keeps that line until more text comes or the memo changes.
  bool leadingEmptyLine_ = false;
  bool appending_ = false;
  std::vector<std::string> shortened_;  // files shown in part since the last clear
};
