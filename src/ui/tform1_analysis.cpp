// The main window's analysis commands: runs, results and the text window.
// The work is done by the netlist layer's runner, stages and result loader;
// this file lends them the main window and the text window.
#include <QPlainTextEdit>
#include <QToolButton>
#include <clocale>

#include "catalogue/messages.h"
#include "catalogue/settings.h"
#include "netlist/analysis_run.h"
#include "netlist/analysis_stages.h"
#include "netlist/result_loader.h"
#include "netlist/windows/text_window.h"
#include "platform/process_wait.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_console_window.h"
#include "platform/qt/qt_process_wait.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "ui/tform1.h"

namespace netlist = vemu::netlist;
namespace platform = vemu::platform;

namespace {

// The main window and its text window as the analysis layer's host.
class Form1AnalysisHost final : public netlist::AnalysisHost {
 public:
  Form1AnalysisHost(TForm1& form, TForm6& text) : form_(form), text_(text) {}

  netlist::AnalysisLog& Log() override { return text_; }
  void SetRunButtonEnabled(bool enabled) override {
    if (form_.RunButton) form_.RunButton->setEnabled(enabled);
  }
  void SetStatusText(int panel, const std::string& utf8) override { form_.SetStatusText(panel, utf8); }
  void SetStoreInCirFlag() override { form_.SetStoreInCirFlag(); }
  void PushUndoSnapshot() override { form_.PushUndoSnapshot(); }
  netlist::RunOutcome RunAndWait(const std::string& program, const std::string& parameter) override {
    if (!form_.RunAndWait(program, parameter, form_.Profile().runShowState)) return netlist::RunOutcome::NotStarted;
    return form_.RunCancelled ? netlist::RunOutcome::Cancelled : netlist::RunOutcome::Finished;
  }
  netlist::BuildEnd BuildNetlist() override { return form_.BuildNetlist(text_.Memo1); }
  bool ListNotPacked() const override { return form_.ListNotPacked == 1; }
  void LoadResults() override { form_.SpeedButton1Click(); }

 private:
  TForm1& form_;
  TForm6& text_;
};

const vemu::catalogue::Settings& settingsOf(TForm1& form) {
  static const vemu::catalogue::Settings kDefaults;
  return form.App().Settings ? *form.App().Settings : kDefaults;
}

// The decimal separator of the user's locale, as the value texts hold it.
std::string LocaleDecimalSeparator() {
  const char* point = std::localeconv()->decimal_point;
  if (!point || !*point) return ".";
  return platform::utf8ToCp1251(point);
}

}  // namespace

bool TForm1::RunAndWait(const std::string& program, const std::string& parameter, int showState) {
  RunCancelled = 0;
  platform::QtProcessWait window(this);
  platform::ProcessWait& wait = platform::processWaitInForce(window);
  platform::ConsoleProcessWait console(wait, this);
  const bool shown = showState == kShowNormal;
  const netlist::RunOutcome outcome = netlist::RunProgramAndWait(
      program, parameter, shown ? static_cast<platform::ProcessWait&>(console) : wait,
      shown ? platform::ChildOutput::Captured : platform::ChildOutput::Discarded);
  RunCancelled = outcome == netlist::RunOutcome::Cancelled ? 1 : 0;
  return outcome != netlist::RunOutcome::NotStarted;
}

void TForm1::LoadFileIntoLog(const std::string& path) {
  if (App().Form6) netlist::LoadFileIntoLog(*App().Form6, path);
}

void TForm1::RunButtonClick() {
  if (!App().Form6) return;
  Form1AnalysisHost host(*this, *App().Form6);
  if (netlist::RunAnalysis(host, settingsOf(*this))) SpeedButton1Click();
}

void TForm1::SpeedButton1Click() {
  if (!App().Form6) return;
  Form1AnalysisHost host(*this, *App().Form6);
  netlist::LoadResults(host, *Graph, NodeTypes, settingsOf(*this), LocaleDecimalSeparator());
}

void TForm1::FromCtoMButtonClick() {
  if (!App().Form6) return;
  Form1AnalysisHost host(*this, *App().Form6);
  if (netlist::CreateTextFile(host) && settingsOf(*this).CheckTreeActionByOnePress) RunButtonClick();
  App().Form6->show();
}

void TForm1::Computeall1Click() {
  if (!App().Form6) return;
  Form1AnalysisHost host(*this, *App().Form6);
  // A build the user stopped, a run that did not take place or was
  // cancelled: no results are loaded.
  if (!netlist::BuildNetlistForRun(host) || !netlist::RunAnalysis(host, settingsOf(*this))) return;
  SpeedButton1Click();
  SpeedButton1Click();
}

void TForm1::CreateText1Click() {
  if (App().Form6) App().Form6->ShowLog();
}

void TForm1::MeMoEditClick() {
  CreateText1Click();
  for (QToolButton* b : {FromCtoMButton, RunButton, SpeedButton1})
    if (b) b->setEnabled(true);
}

void TForm1::CirEditBottonClick() {
  TForm6* text = App().Form6;
  if (!text) return;
  text->ClearLog();
  const std::string path = platform::programFolder() + "cir";
  if (platform::fileExists(path)) {
    LoadFileIntoLog(path);
    text->SetLogCaption(path);
  } else {
    text->AddText(vemu::catalogue::GetMsg(0) + path);
  }
  text->ShowLog();
}

bool TForm1::TextWindowStage(int tag) {
  if (!App().Form6) return false;
  Form1AnalysisHost host(*this, *App().Form6);
  return netlist::RunStage(tag, host, settingsOf(*this));
}
