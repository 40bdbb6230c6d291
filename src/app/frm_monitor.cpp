#include "app/frm_monitor.h"

#include "app/console.h"

namespace app {

frmMonitor::frmMonitor(Console& c) : ui::Form(c.rt, "frmMonitor") {
  cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmMonitor::Design() {
  Caption = "Downloading";
  BorderStyle = ui::vbFixedToolWindow;
  Move(3000, 3000, 5160, 2040);
  Image1.Picture = ui::Picture::Named("Memory");
  Image1.Stretch = true;
  Image1.Move(120, 150, 480, 480);
  txtCaption.Text = "Downloading EEPROM data...";
  txtCaption.Locked = true;
  txtCaption.Move(720, 240, 4080, 315);
  ProgressBar1.Move(720, 660, 4080, 300);
  cmdCancel.Caption = "&Cancel";
  cmdCancel.Cancel = true;
  cmdCancel.Move(3480, 1080, 1320, 375);
}

void frmMonitor::cmdCancel_Click() { Unload(); }

}  // namespace app
