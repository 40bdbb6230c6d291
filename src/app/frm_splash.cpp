#include "app/frm_splash.h"

#include "app/console.h"
#include "common/app_info.h"

namespace app {

frmSplash::frmSplash(Console& c) : ui::Form(c.rt, "frmSplash") {}

void frmSplash::Design() {
  Caption = "";
  BorderStyle = ui::vbBSNone;
  Move(3000, 2400, 6000, 3000);
  lblProductName.Caption = "VKX-4700";
  lblProductName.FontSize = 24;
  lblProductName.FontBold = true;
  lblProductName.Alignment = ui::vbCenter;
  lblProductName.Move(240, 600, 5520, 720);
  lblVersion.Alignment = ui::vbCenter;
  lblVersion.Move(240, 1560, 5520, 315);
}

void frmSplash::Form_Load() { lblVersion.Caption = app_info::VersionText(); }

}  // namespace app
