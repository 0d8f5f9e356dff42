// The values of the settings window, kept apart from its controls so that
// the netlist, the drawing and the gestures read them without the window.
// The window's controls write here as they change, so a change acts at once.
// Field names are those of the controls; colours are 0x00BBGGRR values
// (system colours have the top bit set); texts are code page 1251 bytes, as
// they stand in IMAGES/start.txt.
#pragma once

#include <cstdint>
#include <string>

namespace vemu::catalogue {

constexpr std::uint32_t SystemColor(std::uint32_t index) { return 0x80000000u | index; }

struct Settings {
  bool CheckShadow = true;
  bool CheckShadowMoving = true;
  std::string EditTimer = "20";           // ticks per second, 1 to 40
  bool CheckCross = true;
  bool CheckNodeMove = true;
  bool CheckLineMove = true;
  bool CheckNamesSee = true;
  std::string EditSpeedLines = "2";       // 1 to 10
  std::string Edit1 = "3";                // decimals of loaded results, 1 to 10
  std::string EditArrowSize = "3";        // 0 to 30
  bool CheckTransparency = false;
  bool CheckPlusMines = false;
  std::uint32_t Line1Color = 32768;       // EditLine1Color's colour
  std::string EditLine1Color = "2";       // width of line class 0
  std::uint32_t Line2Color = 32768;
  std::string EditLine2Color = "1";
  std::uint32_t Line3Color = 255;
  std::string EditLine3Color = "1";
  bool CheckValues = true;
  bool Checknodes = true;
  bool CheckDrawAndCreate = false;
  std::uint32_t InfoColor = SystemColor(27);  // EditInfoColor's colour
  bool CheckImages = false;
  std::string EditAdditionalStr = ".AC LOG 5 10100";
  bool CheckPMonCurrent = false;
  bool CheckSeeGrid = false;
  bool CheckUseGrid = false;
  std::string EditGrid = "15";            // 0 to 100
  std::uint32_t GridColor = 16776960;     // EditGrid's colour
  bool CheckAdditionalString = true;
  bool CheckAutoLoadOutFile = true;
  bool CheckFitToGridOnMoving = true;
  bool CheckLoadDigitAnywere = true;
  bool CheckUpdateDigitsOnCircuit = false;
  bool CheckNodeToCenterIfError = true;
  bool CheckAutoLoadClcFile = false;
  std::string EditTLine = "0";            // 0 to 100
  std::uint32_t TLineColor = SystemColor(27);  // EditTLine's colour
  std::uint32_t TBrushColor = SystemColor(24); // EditTBrush's colour
  std::uint32_t TColorColor = SystemColor(28); // EditTColor's colour
  bool CheckWindowDelete = false;
  int BoxBat = 1;                         // computation type, item index 0 to 3
  bool CheckEye = true;
  bool CheckDoubleIn = true;
  bool CheckBox1 = false;                 // EnableEqualNames
  bool CheckBox2 = true;                  // Need Ground Node
  bool CheckTreeActionByOnePress = true;
};

}  // namespace vemu::catalogue
