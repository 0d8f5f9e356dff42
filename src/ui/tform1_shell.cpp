// The element-type window's command and the commands that reach outside the
// program: registering the circuit file type with the desktop, fetching the
// web page, bringing the plot program's window to the front, and window
// message 1025 shown in the caption.
#include <QAction>
#include <QGuiApplication>

#include "catalogue/windows/node_type_window.h"
#include "files/file_type_registration.h"
#include "files/ini_file.h"
#include "platform/qt/qt_process_wait.h"
#include "platform/qt/web_download.h"
#include "platform/qt/x11_windows.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "ui/tform1.h"

void TForm1::AddNewNodeTypeClick() {
  TFormAddNewNodeType* window = App().FormAddNewNodeType;
  if (!window) return;
  window->FillTypeList();
  ShowModalWindow(*window);
}

void TForm1::Registerextention1Click() {
  const std::string program = RegisteredProgramName.empty() ? vemu::platform::runningProgramPath()
                                                            : vemu::platform::programFolder() + RegisteredProgramName;
  std::string error;
  vemu::platform::QtProcessWait window(this);
  if (!vemu::files::RegisterFileExtension("dag", program, vemu::files::DesktopFoldersFromEnvironment(), error,
                                          vemu::platform::processWaitInForce(window)))
    vemu::platform::dialogs().messageBox("Vemu", error, vemu::platform::MsgButtons::Ok, vemu::platform::MsgIcon::Error);
}

void TForm1::runaway1Click() {
  namespace platform = vemu::platform;
  if (!PageDownload) {
    PageDownload = new platform::WebDownload(this);
    connect(PageDownload, &platform::WebDownload::Finished, this,
            [this] { SetStatusText(1, platform::DescribeDownload(PageDownload->Result(), "it.txt")); });
  }
  if (PageDownload->Running()) {
    SetStatusText(1, "Web page: still loading");
    return;
  }
  std::string refused;
  const std::string url = vemu::files::IniFile::Load(SettingsFileName(), &refused).ReadString("Form1", "WebPage", "");
  if (!refused.empty()) {
    SetStatusText(1, "Web page: " + refused);
    return;
  }
  if (url.empty()) {
    SetStatusText(1, "Web page: no address in SETTINGS.INI ([Form1] WebPage)");
    return;
  }
  if (!PageDownload->Start(QString::fromStdString(url), platform::programFolder() + "it.txt")) {
    SetStatusText(1, "Web page: " + PageDownload->Result().detail);
    return;
  }
  SetStatusText(1, "Web page: loading " + url);
}

void TForm1::GraphX1Click() {
  namespace platform = vemu::platform;
  // Only an X11 display has the window manager's client list to look in.
  const std::uint32_t window = QGuiApplication::platformName() == QLatin1String("xcb")
                                   ? platform::X11FindWindowByTitle("Telvoro")
                                   : 0;
  if (!window) {
    platform::dialogs().showMessage("Не найден Telvoro");
    return;
  }
  platform::dialogs().showMessage("Telvoro!!! Есть!!!");
  platform::X11ActivateWindow(window);
}

bool TForm1::WMUserMessage(std::int32_t message, std::int32_t wParam, std::int32_t lParam) {
  if (message == 1025) SetCaption("MSG=1025," + std::to_string(wParam) + "," + std::to_string(lParam));
  return false;
}

bool TForm1::MyWindowHook(std::int32_t message, std::int32_t wParam, std::int32_t lParam) {
  if (message != 1025) return false;
  SetCaption("MyWindowHook(1025," + std::to_string(wParam) + "," + std::to_string(lParam) + ") ");
  return true;
}

void TForm1::ConnectShellControls() {
  if (GraphX1) connect(GraphX1, &QAction::triggered, this, [this] { GraphX1Click(); });
  new vemu::platform::X11UserMessageFilter(
      [this](std::uint32_t window, const vemu::platform::UserMessage& m) {
        if (window == static_cast<std::uint32_t>(winId())) return WMUserMessage(m.message, m.wParam, m.lParam);
        if (Profile().hasWindowHook && window == vemu::platform::X11ClientLeaderOf(static_cast<std::uint32_t>(winId())))
          return MyWindowHook(m.message, m.wParam, m.lParam);
        return false;
      },
      this);
  if (runaway1) connect(runaway1, &QAction::triggered, this, [this] { runaway1Click(); });
  if (Registerextention1)
    connect(Registerextention1, &QAction::triggered, this, [this] { Registerextention1Click(); });
  if (AddNewNodeType) {
    AddNewNodeType->setEnabled(Profile().hasElementTypeWindow);
    connect(AddNewNodeType, &QAction::triggered, this, [this] { AddNewNodeTypeClick(); });
  }
}
