#include "build2/second_profile.h"

ProgramProfile SecondProgramProfile() {
  ProgramProfile profile;
  profile.kind = ProgramKind::Second;
  profile.applicationTitle = "Vemu 13/11/05";
  profile.nodeTypeCount = 36;
  profile.hasValueWindow = false;
  profile.hasElementTypeWindow = false;
  profile.hasPictureChooser = false;
  profile.hasWindowHook = false;
  profile.hasRedrawRequest = false;
  profile.linksSwingAfterRead = true;
  profile.reportsMissingCommandLineFile = true;
  profile.runShowState = kShowNormal;
  return profile;
}
