#include "app/frm_get_log.h"

#include "app/console.h"

namespace app {

frmGetLog::frmGetLog(Console& c) : ui::Form(c.rt, "frmGetLog") {
  cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmGetLog::Design() {
  Caption = "Downloading Log File";
  BorderStyle = ui::vbFixedToolWindow;
  Move(3000, 3000, 4800, 1680);
  Image1.Picture = ui::Picture::Named("Log");
  Image1.Stretch = true;
  Image1.Move(240, 180, 480, 480);
  Label1.Caption = "Downloading log data...";
  Label1.FontSize = 10;
  Label1.Move(960, 300, 3600, 300);
  cmdCancel.Caption = "Cancel";
  cmdCancel.Cancel = true;
  cmdCancel.Move(3240, 720, 1320, 375);
}

void frmGetLog::cmdCancel_Click() { Hide(); }

}  // namespace app
