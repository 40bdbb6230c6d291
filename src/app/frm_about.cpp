#include "app/frm_about.h"

#include <filesystem>
#include <system_error>

#include "app/console.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "platform/machine_value.h"

namespace app {

frmAbout::frmAbout(Console& c) : ui::Form(c.rt, "frmAbout"), c_(c) {
  Line1.Load(0);
  Line1.Load(1);
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdSysInfo.Click = [this] { cmdSysInfo_Click(); };
}

void frmAbout::Design() {
  Caption = "About VKX-4700";
  BorderStyle = ui::vbFixedDialog;
  Move(2400, 2400, 5760, 3660);
  picIcon.Picture = ui::Picture::Named("AppLogo");
  picIcon.BorderStyle = 0;
  picIcon.Move(240, 240, 720, 720);
  lblTitle.FontSize = 14;
  lblTitle.FontBold = true;
  lblTitle.Move(1200, 240, 4200, 420);
  Label1.Caption = "VKX-4700";
  Label1.Move(1200, 720, 4200, 255);
  lblRelease.Caption = "Controller console";
  lblRelease.Move(1200, 1020, 4200, 255);
  lblVersion.Move(1200, 1320, 4200, 255);
  for (auto& [index, line] : Line1) {
    const int y = 1860 + index * 15;
    line->X1 = 120;
    line->X2 = 5520;
    line->Y1 = y;
    line->Y2 = y;
    line->BorderColor = index == 0 ? ui::RGB(128, 128, 128) : ui::vbWhite;
  }
  cmdOK.Caption = "OK";
  cmdOK.Default = true;
  cmdOK.Cancel = true;
  cmdOK.Move(4080, 2160, 1320, 375);
  cmdSysInfo.Caption = "&System Info...";
  cmdSysInfo.Move(4080, 2640, 1320, 375);
}

void frmAbout::Form_Load() {
  lblTitle.Caption = app_info::kTitle;
  lblVersion.Caption = app_info::VersionText();
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

namespace {
bool IsFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}
}  // namespace

std::optional<std::string> frmAbout::FindSysInfoTool() {
  std::string path;
  if (GetKeyValue(kMsInfoKey, kMsInfoPathValue, path) && IsFile(path)) return path;
  std::string folder;
  if (GetKeyValue(kSharedToolsKey, kSharedToolsValue, folder)) {
    const std::filesystem::path program = std::filesystem::path(folder) / kMsInfoProgram;
    if (IsFile(program)) return program.string();
  }
  return std::nullopt;
}

void frmAbout::StartSysInfo() {
  const auto tool = FindSysInfoTool();
  if (!tool || !c_.launcher.StartProgram(*tool))
    c_.rt.MsgBox("System Information Is Unavailable At This Time", ui::vbOKOnly, app_info::kTitle);
}

bool frmAbout::GetKeyValue(std::string_view key_path, std::string_view value_name,
                           std::string& result) {
  constexpr size_t kBufferSize = 1024;
  const auto value = platform::ReadMachineValue(c_.registry, key_path, value_name);
  if (!value) return false;
  switch (value->type) {
    case platform::MachineData::Type::String:
      if (value->text.size() + 1 > kBufferSize) return false;  // the read fails
      result = value->text.substr(0, value->text.find('\0'));
      return true;
    case platform::MachineData::Type::Number:
      result = "&h" + vb::Hex(value->number);
      return true;
    default:
      return false;
  }
}

}  // namespace app
