// The main window as the host of the placement and naming rules
// (model/placement.h, model/name_rules.h).
#pragma once

#include "model/placement.h"

class TForm1;

class Form1EditingHost final : public vemu::model::PlacementHost {
 public:
  explicit Form1EditingHost(TForm1& form);

  void PushUndoSnapshot() override;
  void SetModified() override;
  void SetStatusText(int panel, const std::string& text) override;
  std::string Msg(int index) override;
  void ShowMessage(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  void DeselectLevel() override;
  void SortByName() override;
  void NumberNets() override;
  void Redraw() override;
  std::string TypeLetter(int type) override;
  bool UsesInfoLink(int type) override;
  int CountNodesOfType(int type) override;
  void ChooseType(int type) override;
  void EditNodeValue(vemu::model::TheNode* node) override;
  void ItemsChanged() override;

 private:
  TForm1& form_;
};

// Hooks Button2 and the key presses and clicks of Edit2 and Edit3 (tform1_naming.cpp).
void ConnectNamingFields(TForm1& form);
