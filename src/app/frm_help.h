// The instructions window: the operator instructions of the file
// "VKX1300.txt" in the program folder.
#pragma once

#include <string>
#include <string_view>

#include "ui/controls.h"

namespace app {

class Console;

inline constexpr const char* kInstructionsFileName = "VKX1300.txt";

// The file's lines, each followed by CR LF; a line ends at CR LF, CR or LF.
std::string InstructionsText(std::string_view file);

class frmHelp : public ui::Form {
 public:
  explicit frmHelp(Console& c);

  ui::TextBox txtHelp{*this, "txtHelp"};
  ui::CommandButton cmdOK{*this, "cmdOK"};

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Resize() override;

 private:
  void cmdOK_Click();

  Console& c_;
};

}  // namespace app
