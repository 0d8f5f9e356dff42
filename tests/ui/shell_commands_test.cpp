// The shell commands: registering ".dag" with the desktop into scratch XDG folders.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <cstdlib>

#include "files/file_type_registration.h"
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
  std::string read(const std::string& path) { return platform::readFileBytes(path).value_or("(none)"); }
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

TEST_F(Registration, AFolderThatCannotBeMadeIsReportedByFileName) {
  program.folder.write("data", "a file where the folder should be");
  program.form().Registerextention1->trigger();
  ASSERT_EQ(program.dialogs.boxes.size(), 1u);
  EXPECT_NE(program.dialogs.boxes[0].text.find(folders.dataHome + "mime/packages/vemu-circuit.xml"), std::string::npos)
      << program.dialogs.boxes[0].text;
}

}  // namespace
}  // namespace vemu::test
