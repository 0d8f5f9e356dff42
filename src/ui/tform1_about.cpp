// The windows the Option and About menus open: the value window of the
// current node, the About window and the help page in the web browser.
#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QUrl>
#include <filesystem>

#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "ui/about_window.h"
#include "ui/help_page.h"
#include "ui/tform1.h"
#include "ui/value_window.h"

namespace platform = vemu::platform;

namespace {

bool OpenInDesktopBrowser(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

std::string CurrentFolder() {
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::current_path(ec);
  return ec ? std::string() : folder.string() + "/";
}

}  // namespace

void TForm1::ActionItemInfoExecute() {
  // Without a current node there is nothing to show.
  if (!Profile().hasValueWindow || !Graph || !Graph->CurrentNode || !App().FormInputValue) return;
  App().FormInputValue->ShowNode(Graph->CurrentNode);
  ShowModalWindow(*App().FormInputValue);
}

void TForm1::Info1Click() {
  if (App().Form4) ShowModalWindow(*App().Form4);
}

void TForm1::BrowseURL1Execute() {
  const std::string current = CurrentFolder();
  const std::string program = platform::programFolder();
  const std::optional<std::string> page = vemu::ui::FindHelpPage(current, program);
  std::string failure;
  if (!page)
    failure = std::string("The help page ") + vemu::ui::kHelpPage + " is neither in " + current + " nor in " + program;
  else if (!(OpenInBrowser ? OpenInBrowser : &OpenInDesktopBrowser)(*page))
    failure = "The web browser could not be started for the help page " + *page;
  if (!failure.empty())
    platform::dialogs().messageBox("Vemu", failure, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

void TForm1::ConnectWindowCommands() {
  const bool full = Profile().kind == ProgramKind::Full;
  connect(Info1, &QAction::triggered, this, [this] { Info1Click(); });
  connect(BrowseURL1, &QAction::triggered, this, [this] { BrowseURL1Execute(); });
  if (full && Profile().hasValueWindow) {
    connect(ActionItemInfo, &QAction::triggered, this, [this] { ActionItemInfoExecute(); });
  } else {
    // This build has no value window: its item and button are there, but off
    // (the element-type item likewise, tform1_shell.cpp).
    ActionItemInfo->setEnabled(false);
  }
}
