// The shell commands: registering ".dag" with the desktop into scratch XDG
// folders, the web page fetched from a server of the test on 127.0.0.1.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <cstdlib>
#include <filesystem>

#include "files/file_type_registration.h"
#include "platform/qt/web_download.h"
#include "platform/scripted_process_wait.h"
#include "platform/text_file.h"
#include "ui/editing_program.h"

namespace vemu::test {
namespace {

using files::DesktopExecArgument;

TEST(FileTypeRegistration, ExecQuotesTheProgramAsDesktopEntriesAsk) {
  const std::pair<std::string, std::string> cases[] = {
      {"/usr/bin/vemu3", R"("/usr/bin/vemu3")"},
      {"/opt/my apps/vemu3", R"("/opt/my apps/vemu3")"},
      {"/a$b`c\"d", R"("/a\\$b\\`c\\"d")"},
      {"/x\\y", R"("/x\\\\y")"},
      {"/p%q\n", R"("/p%%q\n")"},
  };
  for (const auto& [path, exec] : cases) EXPECT_EQ(DesktopExecArgument(path), exec) << path;
}

struct Registration : ::testing::Test {
  EditingProgram program;
  files::DesktopFolders folders{program.folder.file("data/"), program.folder.file("config/")};
  void SetUp() override {
    ::setenv("XDG_DATA_HOME", folders.dataHome.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", folders.configHome.c_str(), 1);
    TForm1::RegisteredProgramName = "vemu3";
  }
  void TearDown() override {
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    TForm1::RegisteredProgramName.clear();
  }
  std::string read(const std::string& path) { return platform::readFileBytes(path, platform::kCircuitReadLimit).value_or("(none)"); }
};

TEST_F(Registration, TheMenuCommandWritesTheFilesAndKeepsOtherAssociations) {
  program.folder.makeDir("config");
  program.folder.write("config/mimeapps.list",
                       "[Added Associations]\ntext/plain=ed.desktop;\n\n[Default Applications]\n"
                       "image/png=view.desktop;\napplication/x-circuit-for-vemu=old.desktop;\n\n[Other]\nk=v\n");
  program.form().Registerextention1->trigger();
  EXPECT_TRUE(program.dialogs.boxes.empty());
  const auto written = files::RegistrationFiles("dag", program.folder.file("vemu3"), folders);
  ASSERT_EQ(written.size(), 3u);
  for (const auto& file : written) EXPECT_EQ(read(file.path), file.content) << file.path;
  EXPECT_NE(written[0].content.find("<comment>DAG of circuit for programm Vemu</comment>"), std::string::npos);
  EXPECT_NE(written[0].content.find("<glob pattern=\"*.dag\"/>"), std::string::npos);
  EXPECT_NE(written[1].content.find("\nExec=\"" + program.folder.file("vemu3") + "\" %f\n"), std::string::npos);
  EXPECT_NE(written[1].content.find("\nIcon=" + written[2].path + "\n"), std::string::npos);
  const std::string list =
      "[Added Associations]\ntext/plain=ed.desktop;\n\n[Default Applications]\n"
      "image/png=view.desktop;\napplication/x-circuit-for-vemu=vemu-circuit.desktop;\n\n[Other]\nk=v\n";
  EXPECT_EQ(read(folders.configHome + "mimeapps.list"), list);
  program.form().Registerextention1->trigger();
  for (const auto& file : written) EXPECT_EQ(read(file.path), file.content) << file.path;
  EXPECT_EQ(read(folders.configHome + "mimeapps.list"), list);
  EXPECT_EQ(files::MimeAppsWithDefault("", "a/b", "c.desktop"), "[Default Applications]\na/b=c.desktop;\n");
  if (std::system("command -v update-mime-database >/dev/null") == 0) {
    EXPECT_NE(read(folders.dataHome + "mime/globs2").find(":application/x-circuit-for-vemu:*.dag"), std::string::npos);
  }
}

// The desktop tools are waited for as every program: Cancel (or an ending signal) stops one.
TEST_F(Registration, TheDesktopToolsAreWaitedForAsEveryProgram) {
  const std::string tool = program.folder.file("update-mime-database"), path = std::getenv("PATH");
  std::filesystem::create_symlink("/bin/true", tool);  // any program: the scripted wait cancels it
  ::setenv("PATH", (program.folder.path() + ":" + path).c_str(), 1);
  platform::ScriptedProcessWait wait;  // Cancel pressed: update-desktop-database is not started
  wait.cancels = {true};
  const platform::ScopedProcessWait use(wait);
  program.form().Registerextention1->trigger();
  ::setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(wait.programs, std::vector<std::string>{tool});
}

TEST_F(Registration, AFolderThatCannotBeMadeIsReportedByFileName) {
  program.folder.write("data", "a file where the folder should be");
  program.form().Registerextention1->trigger();
  ASSERT_EQ(program.dialogs.boxes.size(), 1u);
  EXPECT_NE(program.dialogs.boxes[0].text.find(folders.dataHome + "mime/packages/vemu-circuit.xml"), std::string::npos)
      << program.dialogs.boxes[0].text;
}

// Answers every request with `answer` (nothing at all when empty) and closes.
struct PageServer {
  QTcpServer server;
  explicit PageServer(QByteArray answer) {
    server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server, &QTcpServer::newConnection, &server, [this, answer] {
      QTcpSocket* socket = server.nextPendingConnection();
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, answer] {
        if (!socket->readAll().contains("\r\n\r\n") || answer.isEmpty()) return;
        socket->write(answer);
        socket->disconnectFromHost();
      });
    });
  }
  QString url() const { return QString("http://127.0.0.1:%1/page").arg(server.serverPort()); }
};

void WaitFor(platform::WebDownload* download) {
  QEventLoop wait;
  QObject::connect(download, &platform::WebDownload::Finished, &wait, &QEventLoop::quit);
  if (download->Running()) wait.exec();
}

QByteArray Answer(const char* status, const QByteArray& body) {
  return QByteArray("HTTP/1.1 ") + status + "\r\nConnection: close\r\n\r\n" + body;
}

TEST(WebPage, SavedOnlyOnStatus200UnderTheLimitElseTheOldFileStays) {
  const struct {
    QByteArray answer;
    std::string itTxt;
    std::string status;
  } cases[] = {
      {Answer("200 OK", "fresh page"), "fresh page", "it.txt: 10 bytes saved"},
      {Answer("404 Not Found", "gone"), "old", "Web page: HTTP 404, it.txt kept"},
      {Answer("200 OK", QByteArray(platform::WebDownload::kMaxBytes, 'x')), "old",
       "Web page: 10 MB or more, it.txt kept"},
  };
  for (const auto& c : cases) {
    EditingProgram program;
    PageServer server(c.answer);
    program.folder.write("it.txt", "old");
    program.folder.write("SETTINGS.INI", "[Form1]\r\nWebPage=" + server.url().toStdString() + "\r\n");
    program.form().runaway1->trigger();
    ASSERT_TRUE(program.form().PageDownload);
    EXPECT_EQ(program.form().StatusText(1), "Web page: loading " + server.url().toStdString());
    WaitFor(program.form().PageDownload);
    EXPECT_EQ(program.folder.read("it.txt"), c.itTxt);
    EXPECT_EQ(program.form().StatusText(1), c.status);
  }
}

TEST(WebPage, ASilentServerRunsIntoTheTimeLimit) {
  vemu::test::ScratchFolder folder;
  folder.write("it.txt", "old");
  PageServer server{QByteArray()};
  platform::WebDownload download;
  ASSERT_TRUE(download.Start(server.url(), folder.file("it.txt"), 300));
  EXPECT_FALSE(download.Start(server.url(), folder.file("it.txt")));
  WaitFor(&download);
  EXPECT_EQ(download.Result().outcome, platform::DownloadOutcome::TimedOut);
  EXPECT_EQ(folder.read("it.txt"), "old");
  EXPECT_FALSE(download.Start("file:///etc/passwd", folder.file("it.txt")));
}

}  // namespace
}  // namespace vemu::test
