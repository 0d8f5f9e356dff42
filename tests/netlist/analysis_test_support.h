// The program's windows on a scratch program folder, for the tests of the
// analysis runs, the result loader and the text window: scripted boxes, a
// scripted wait for the external programs, fake programs written as shell
// scripts, and a small circuit (ground net 0, net 1) to put elements into.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QPlainTextEdit>
#include <QToolButton>
#include <clocale>
#include <string>
#include <vector>

#include "catalogue/settings.h"
#include "model/graph.h"
#include "netlist/windows/text_window.h"
#include "platform/scripted_dialogs.h"
#include "platform/scripted_process_wait.h"
#include "support/scratch_folder.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

namespace vemu::test {

class AnalysisFixture : public ::testing::Test {
 protected:
  explicit AnalysisFixture(const ProgramProfile& profile = FullProgramProfile())
      : useDialogs(dialogs), useWait(wait), set(profile, {"vemu3"}) {
    wait.stopGrace = std::chrono::milliseconds(300);
    ground = member(model::ntJunction, "0");
    ground->Ground = 1;
    net1 = member(model::ntJunction, "1");
    dialogs.boxes.clear();  // the start-up's notes on the scratch folder's missing files
  }

  TForm1& form() { return *set.windows().Form1; }
  TForm6& text() { return *set.windows().Form6; }
  catalogue::Settings& settings() { return *set.windows().Settings; }
  model::TheBaseOfGraf& graph() { return *form().Graph; }
  std::string path(const std::string& name) const { return folder.file(name); }

  // A member of the shown level.
  model::TheNode* member(std::uint8_t type, const std::string& name, const std::string& value = "") {
    auto& g = graph();
    model::TheNode* n = g.AddNode(g.MainNode, type);
    g.AddLine(-2, g.MainNode, n, model::alHaveItem);
    n->Name = name;
    n->Value = value;
    return n;
  }
  // An element between net 1 (in) and ground (out).
  model::TheNode* element(std::uint8_t type, const std::string& name, const std::string& value = "") {
    model::TheNode* e = member(type, name, value);
    graph().AddLine(-2, e, net1, model::alInPin);
    graph().AddLine(-2, e, ground, model::alOutPin);
    return e;
  }

  // A fake program of the program folder: a shell script, with the
  // execute bit (and a "#!" line) when `executable`.
  void program(const std::string& name, const std::string& body, bool executable = false) {
    folder.write(name, (executable ? "#!/bin/sh\n" : "") + body);
    ::chmod(path(name).c_str(), executable ? 0755 : 0644);
  }

  std::vector<std::string> memo() { return text().MemoLines(); }
  bool exists(const std::string& name) const {
    struct stat st {};
    return ::stat(path(name).c_str(), &st) == 0;
  }

  ScratchFolder folder;
  platform::ScriptedDialogs dialogs;
  platform::ScopedDialogs useDialogs;
  platform::ScriptedProcessWait wait;
  platform::ScopedProcessWait useWait;
  WindowSet set;
  model::TheNode* ground = nullptr;
  model::TheNode* net1 = nullptr;
};

// Switches the C library's locale to one with a decimal comma for the
// lifetime of the object; switched() is false when none is installed.
class DecimalCommaLocale {
 public:
  DecimalCommaLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "ru_RU.UTF-8", "de_DE"})
      if (std::setlocale(LC_ALL, name)) {
        switched_ = true;
        break;
      }
  }
  ~DecimalCommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
  bool switched() const { return switched_; }

 private:
  std::string previous_;
  bool switched_ = false;
};

}  // namespace vemu::test
