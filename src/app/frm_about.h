// The about box: the program's title and version, and the button that looks
// for the system information tool.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace app {

class Console;

// Where the machine store names the system information tool.
inline constexpr const char* kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kMsInfoPathValue = "PATH";
inline constexpr const char* kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSharedToolsValue = "MSINFO";
inline constexpr const char* kMsInfoProgram = "MSINFO32.EXE";

class frmAbout : public ui::Form {
 public:
  explicit frmAbout(Console& c);

  ui::PictureBox picIcon{*this, "picIcon"};
  ui::Label lblTitle{*this, "lblTitle"};
  ui::Label Label1{*this, "Label1"};
  ui::Label lblVersion{*this, "lblVersion"};
  ui::Label lblRelease{*this, "lblRelease"};  // fixed
  ui::ControlArray<ui::LineControl> Line1{*this, "Line1"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdSysInfo{*this, "cmdSysInfo"};

  // The system information tool's path as the machine store gives it: its
  // own path value, else the shared tools folder's program; nothing when
  // neither names a file that exists.
  std::optional<std::string> FindSysInfoTool();

 protected:
  void Design() override;
  void Form_Load() override;

 private:
  void cmdOK_Click();
  void cmdSysInfo_Click();
  void StartSysInfo();
  // One value of a key of the machine store; false when the key or the value
  // is absent or of a type other than text or number. A text value ends at
  // its first zero character (and holds 1023 characters at most); a number
  // reads as "&h" and its hexadecimal digits.
  bool GetKeyValue(std::string_view key_path, std::string_view value_name, std::string& result);

  Console& c_;
};

}  // namespace app
