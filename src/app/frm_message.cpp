#include "app/frm_message.h"

#include "app/console.h"

namespace app {

namespace {
constexpr int kShownMs = 1000;
}

frmMessage::frmMessage(Console& c) : ui::Form(c.rt, "frmMessage"), c_(c) {
  Timer1.Tick = [this] { Timer1_Timer(); };
}

void frmMessage::Design() {
  Caption = "VKX-4700";
  BorderStyle = ui::vbFixedDialog;
  Move(3600, 3000, 4320, 1440);
  Image1.Picture = ui::Picture::Named("Done");
  Image1.Stretch = true;
  Image1.Move(240, 240, 480, 480);
  Label1.Caption = "Value Updated Successfully";
  Label1.FontSize = 10;
  Label1.FontBold = true;
  Label1.Move(960, 360, 3120, 300);
  Timer1.Interval = 0;
  Timer1.Enabled = true;
}

void frmMessage::Form_Load() { Timer1.Interval = kShownMs; }

// Its timer goes with the window, so a closed notice never beeps again.
void frmMessage::Form_Unload(int& /*cancel*/) { Timer1.Enabled = false; }

void frmMessage::Timer1_Timer() {
  c_.rt.Beep();
  Unload();
}

}  // namespace app
