#include "app/frm_splash.h"

#include "app/console.h"
#include "common/app_info.h"

namespace app {

frmSplash::frmSplash(Console& c) : ui::Form(c.rt, "frmSplash") {}

void frmSplash::Design() {
  Caption = "";
  BorderStyle = ui::vbBSNone;
  Move(3000, 2400, 6120, 3240);
  fraMainFrame.Caption = "";
  fraMainFrame.Move(120, 120, 5760, 2550);
  Image1.Picture = ui::Picture::Named("AppLogo");
  Image1.Stretch = true;
  Image1.Move(240, 420, 1200, 1200);
  lblName.Caption = "VKX-4700";
  lblName.FontSize = 24;
  lblName.FontBold = true;
  lblName.Alignment = ui::vbCenter;
  lblName.Move(1560, 360, 3960, 720);
  lblRelease.Caption = "Controller console";
  lblRelease.FontSize = 12;
  lblRelease.Alignment = ui::vbCenter;
  lblRelease.Move(1560, 1140, 3960, 360);
  lblVersion.Alignment = ui::vbCenter;
  lblVersion.Move(1560, 1620, 3960, 285);
  lblPlatform.Caption = "Windows 98/ME/NT/2000/XP";
  lblPlatform.Alignment = ui::vbCenter;
  lblPlatform.Move(240, 2040, 5280, 285);
}

void frmSplash::Form_Load() { lblVersion.Caption = app_info::VersionText(); }

}  // namespace app
