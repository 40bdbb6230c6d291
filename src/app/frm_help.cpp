#include "app/frm_help.h"

#include "app/console.h"
#include "common/app_info.h"

namespace app {

std::string InstructionsText(std::string_view file) {
  std::string text;
  std::size_t pos = 0;
  while (pos < file.size()) {
    const std::size_t end = file.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      text += file.substr(pos);
      text += "\r\n";
      break;
    }
    text += file.substr(pos, end - pos);
    text += "\r\n";
    pos = end + 1;
    if (file[end] == '\r' && pos < file.size() && file[pos] == '\n') ++pos;
  }
  return text;
}

frmHelp::frmHelp(Console& c) : ui::Form(c.rt, "frmHelp"), c_(c) {
  cmdOK.Click = [this] { cmdOK_Click(); };
}

void frmHelp::Design() {
  Caption = "Instructions";
  BorderStyle = ui::vbSizable;
  Move(1200, 600, 9600, 7200);
  txtHelp.MultiLine = true;
  txtHelp.Locked = true;
  txtHelp.Move(120, 120, 9240, 5940);
  cmdOK.Caption = "&OK";
  cmdOK.Default = true;
  cmdOK.Cancel = true;
  cmdOK.Move(8040, 6180, 1320, 375);
}

void frmHelp::Form_Load() {
  txtHelp.Text = "";
  const auto file = c_.folder.ReadFile(kInstructionsFileName);
  if (!file) {
    c_.rt.MsgBox("The instructions file " + c_.folder.FilePath(kInstructionsFileName) +
                     " cannot be read.",
                 ui::vbOKOnly | ui::vbExclamation, app_info::kTitle);
    return;
  }
  txtHelp.Text = InstructionsText(*file);
}

// The text fills the window above the button.
void frmHelp::Form_Resize() {
  const int width = static_cast<int>(ScaleWidth());
  const int height = static_cast<int>(ScaleHeight());
  if (width < 2400 || height < 1800) return;
  txtHelp.Move(120, 120, width - 240, height - 735);
  cmdOK.Move(width - 1440, height - 495, 1320, 375);
}

void frmHelp::cmdOK_Click() { Unload(); }

}  // namespace app
