// "Load File": the operator picks a saved status file (".vkx") by storage
// place (the mount points stand for drives), folder and file. The result is
// left in StatusFilePath: the full path, or "" when the operator cancelled
// or closed the window.
#pragma once

#include <string>
#include <vector>

#include "app/folder_list.h"
#include "ui/controls.h"

namespace app {

class Console;

class frmLoad : public ui::Form {
 public:
  explicit frmLoad(Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::Label Label2{*this, "Label2"};
  ui::ComboBox Drive1{*this, "Drive1"};
  ui::Label Label3{*this, "Label3"};
  FolderList Dir1{*this, "Dir1"};
  ui::ListBox List1{*this, "List1"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};

  void Drive1_Change();
  void Dir1_Change();
  void cmdOK_Click();
  void cmdCancel_Click();

 protected:
  void Design() override;
  void Form_Load() override;

 private:
  // The ".vkx" files of the folder shown, by name.
  void FillFileList();

  Console& c_;
  std::vector<std::string> drives_;  // Drive1's mount points, by item
  int drive_index_ = -1;             // the drive whose folder is shown
};

}  // namespace app
