#include "app/frm_alarm.h"

#include "app/console.h"

namespace app {

frmAlarm::frmAlarm(Console& c) : ui::Form(c.rt, "frmAlarm") {
  cmdClose.Click = [this] { cmdClose_Click(); };
}

void frmAlarm::Design() {
  Caption = "Alarm Received";
  BorderStyle = ui::vbFixedSingle;
  Move(2400, 1800, 4800, 4740);
  Label1.Caption = "A unit has reported an alarm.";
  Label1.FontBold = true;
  Label1.ForeColor = ui::RGB(192, 0, 0);
  Label1.Move(240, 180, 4200, 255);
  struct Field {
    ui::Label& label;
    const char* caption;
    ui::TextBox& box;
    const char* text;
  };
  const Field fields[] = {
      {Label2, "Site:", txtSite, "99"},
      {Label3, "Date:", txtDate, "00 / 00"},
      {Label4, "Time:", txtTime, "00 : 00"},
  };
  int top = 600;
  for (const Field& f : fields) {
    f.label.Caption = f.caption;
    f.label.Move(240, top + 45, 960, 255);
    f.box.Text = f.text;
    f.box.Locked = true;
    f.box.Move(1200, top, 3240, 315);
    top += 420;
  }
  Label5.Caption = "Alarm(s) Received:";
  Label5.Move(240, top + 60, 4200, 255);
  lstAlarms.Move(240, top + 360, 4200, 1440);
  cmdClose.Caption = "&Close";
  cmdClose.Default = true;
  cmdClose.Cancel = true;
  cmdClose.Move(3120, top + 1920, 1320, 375);
}

void frmAlarm::cmdClose_Click() { Unload(); }

}  // namespace app
