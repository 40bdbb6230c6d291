#include "app/frm_load.h"

#include <filesystem>

#include "app/console.h"
#include "common/app_info.h"
#include "platform/folder_listing.h"

namespace app {

frmLoad::frmLoad(Console& c) : ui::Form(c.rt, "frmLoad"), c_(c) {
  Drive1.Click = [this] { Drive1_Change(); };
  Dir1.Change = [this] { Dir1_Change(); };
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmLoad::Design() {
  Caption = "Load File";
  BorderStyle = ui::vbFixedDialog;
  Move(2400, 1800, 6600, 4800);
  Label1.Caption = "Select a data file to load:";
  Label1.Move(240, 180, 3000, 255);
  List1.HoldsPaths = true;
  List1.Move(240, 480, 2880, 3180);
  Label3.Caption = "Directory:";
  Label3.Move(3360, 180, 2880, 255);
  Dir1.Move(3360, 480, 2880, 2340);
  Label2.Caption = "Drive:";
  Label2.Move(3360, 2940, 2880, 255);
  Drive1.Style = ui::vbComboDropdownList;
  Drive1.HoldsPaths = true;
  Drive1.Move(3360, 3240, 2880, 315);
  cmdOK.Caption = "&OK";
  cmdOK.Default = true;
  cmdOK.Move(3600, 3840, 1200, 375);
  cmdCancel.Caption = "&Cancel";
  cmdCancel.Cancel = true;
  cmdCancel.Move(5040, 3840, 1200, 375);
}

// The program folder is shown, on its drive; until OK, the answer is
// "Cancel", whichever way the window closes.
void frmLoad::Form_Load() {
  c_.st.StatusFilePath.clear();
  std::error_code ec;
  std::string folder = std::filesystem::absolute(c_.folder.Path(), ec).string();
  if (ec) folder = c_.folder.Path();
  drives_ = platform::StorageMountPoints();
  Drive1.Clear();
  for (const std::string& point : drives_) Drive1.AddItem(point);
  const std::string drive = platform::MountPointOf(folder, drives_);
  for (std::size_t i = 0; i < drives_.size(); ++i)
    if (drives_[i] == drive) Drive1.ListIndex = static_cast<int>(i);
  Dir1.SetPath(folder);
}

// A drive whose folder cannot be read (a medium gone) is refused and the
// previous drive chosen again.
void frmLoad::Drive1_Change() {
  const int chosen = Drive1.ListIndex();
  if (chosen == drive_index_ || chosen < 0 || chosen >= static_cast<int>(drives_.size())) return;
  const std::string& point = drives_[static_cast<std::size_t>(chosen)];
  if (Dir1.SetPath(point)) {
    drive_index_ = chosen;
    return;
  }
  c_.rt.MsgBox("The drive \"" + point + "\" cannot be read.", ui::vbExclamation, app_info::kTitle);
  Drive1.ListIndex = drive_index_;
}

void frmLoad::Dir1_Change() {
  drive_index_ = -1;
  const std::string drive = platform::MountPointOf(Dir1.Path(), drives_);
  for (std::size_t i = 0; i < drives_.size(); ++i)
    if (drives_[i] == drive) drive_index_ = static_cast<int>(i);
  if (Drive1.ListIndex() != drive_index_) Drive1.ListIndex = drive_index_;
  FillFileList();
}

void frmLoad::FillFileList() {
  List1.Clear();
  for (const std::string& name : platform::FilesWithExtension(Dir1.Path(), ".vkx").value_or(
           std::vector<std::string>{}))
    List1.AddItem(name);
}

void frmLoad::cmdOK_Click() {
  if (List1.ListIndex() < 0) {
    c_.rt.MsgBox("Please select a file or press 'Cancel'.", ui::vbOKOnly, app_info::kTitle);
    return;
  }
  c_.st.StatusFilePath = JoinPath(Dir1.Path(), List1.List(List1.ListIndex()));
  Unload();
}

void frmLoad::cmdCancel_Click() {
  c_.st.StatusFilePath.clear();
  Unload();
}

}  // namespace app
