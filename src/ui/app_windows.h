// The windows of one run. Every window is created once at start-up and lives
// until the end; the program entry owns them, the others reach each other
// through these (non-owning) pointers, null where a build has no such window.
#pragma once

#include <vector>

class QWidget;
class TForm1;
class TAskInsertMove;
class TFrm_Properties;
class TFormInputValue;
class TFormAddNewNodeType;
class TFormLoadImage;
class TFormSubCircuit;
class TForm3;
class TForm4;
class TForm6;

namespace vemu::catalogue {
struct Settings;
}

struct AppWindows {
  vemu::catalogue::Settings* Settings = nullptr;  // the settings window's values
  TForm1* Form1 = nullptr;
  TAskInsertMove* AskInsertMove = nullptr;
  TFrm_Properties* Frm_Properties = nullptr;
  TFormInputValue* FormInputValue = nullptr;
  TFormAddNewNodeType* FormAddNewNodeType = nullptr;
  TFormLoadImage* FormLoadImage = nullptr;
  TFormSubCircuit* FormSubCircuit = nullptr;
  TForm3* Form3 = nullptr;
  TForm4* Form4 = nullptr;
  TForm6* Form6 = nullptr;
  // Every window of the run in creation order.
  std::vector<QWidget*> InCreationOrder;
};
