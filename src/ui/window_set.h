// All windows of one run, created in the program's order and destroyed in
// the reverse order, with the settings they share.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/settings.h"
#include "ui/app_windows.h"
#include "ui/program_profile.h"

class QWidget;

class WindowSet {
 public:
  WindowSet(const ProgramProfile& profile, const std::vector<std::string>& args);
  ~WindowSet();
  WindowSet(const WindowSet&) = delete;
  WindowSet& operator=(const WindowSet&) = delete;

  AppWindows& windows() { return windows_; }
  // Object names of the windows in the order they were created.
  std::vector<std::string> creationOrder() const;

 private:
  vemu::catalogue::Settings settings_;
  AppWindows windows_;
  ProgramProfile profile_;
  std::vector<std::unique_ptr<QWidget>> owned_;
};
