#include "link/saved_status.h"

#include <cstdint>
#include <string>

#include "app/console.h"
#include "app/frm_progress.h"
#include "common/vb.h"
#include "link/reply_tokens.h"
#include "link/status_display.h"
#include "link/v4_status_packet.h"
#include "unit/dump_loading.h"
#include "unit/frm_install.h"
#include "unit/parameter_loading.h"

namespace lnk {

namespace {

// The firmware the snapshot was taken from, by the image just read from it;
// the screen's FirmwareVersion still belongs to whatever was shown before.
std::int32_t SnapshotFirmware(const unit::ParameterImage& p) {
  return p.Eeprom[3] * 10000 + p.Eeprom[4] * 100 + p.Eeprom[5];
}

// A saved number is shown as the plain text of its value ("12.0" -> "12",
// a missing number -> "0").
std::string Plain(const std::string& token) { return vb::CStr(vb::Val(token)); }

// A saved clock value goes into its spinner only when the spinner can hold
// it (month and day also need more than 0); otherwise spinner and box stay as
// they were, and the saved date and time texts show the value as saved.
void ShowSavedClockField(unit::frmInstall& inst, int field, double value) {
  if (value < unit::kDateFieldMin[field] || value > unit::kDateFieldMax[field]) return;
  inst.udDate[field].Value = vb::CInt(value);
  inst.ShowDateField(field);
}

void ReadSavedULine(app::Console& c, std::int32_t firmware) {
  std::string& rx = c.st.RxBuffer;
  auto& inst = c.Get<unit::frmInstall>();
  auto& p = c.Get<app::frmProgress>();

  ShowStatusDateAndTime(c);

  // The clock fields back from the shown texts by position, as live.
  const std::string date = p.txtDate.Text();
  const std::string time = p.txtTime.Text();
  const std::string parts[6] = {vb::Mid(date, 1, 2), vb::Mid(date, 6, 2), vb::Right(date, 2),
                                vb::Mid(time, 1, 2), vb::Mid(time, 6, 2), vb::Right(time, 2)};
  for (int field = 0; field < 6; ++field) ShowSavedClockField(inst, field, vb::Val(parts[field]));
  ShowSavedClockField(inst, unit::kWeekdayField, vb::Val(NextIntToken(rx)));
  for (int field = 0; field < unit::kDateFieldCount; ++field)
    c.param.DateShadow[static_cast<std::size_t>(field)] = inst.udDate[field].Value();

  inst.txtBattVolts.Text = NextHundredthsToken(rx);
  p.txtVoltsBatt.Text = inst.txtBattVolts.Text();
  // Currents in tenths; the state-of-charge firmware sends hundredths.
  const bool soc_layout = firmware == kSocLayoutFirmware;
  for (ui::TextBox* box : {&inst.txtCurrentPV, &inst.txtCurrentLoad})
    box->Text = Plain(soc_layout ? NextHundredthsToken(rx) : NextTenthsToken(rx));
  p.txtCurrentPV.Text = inst.txtCurrentPV.Text();
  p.txtCurrentLoad.Text = inst.txtCurrentLoad.Text();
  ShowNetCurrent(c);

  ShowTemperaturesAndLamps(c);
  if (soc_layout) {
    NextIntToken(rx);  // not shown
    inst.txtSOC.Text = Plain(NextHundredthsToken(rx));
    p.txtSOC.Text = inst.txtSOC.Text();
  }
  DrawStatusGauges(c);
}

void ReadSavedVLine(app::Console& c, std::int32_t firmware) {
  auto& inst = c.Get<unit::frmInstall>();
  auto& p = c.Get<app::frmProgress>();

  const std::string net = ReadVLineToNetAmpHours(c);
  const double reference = SocReference(c);
  if (reference != 0 && firmware != kSocLayoutFirmware) {
    inst.txtSOC.Text = vb::CStr(vb::Int(vb::Val(net) / reference * 1000) / 10);
    p.txtSOC.Text = inst.txtSOC.Text();
  }
  ShowVLineCounters(c, net);
}

}  // namespace

void ParseFullStatus(app::Console& c) {
  unit::ParameterImage& image = c.param;
  c.st.RxBuffer = c.st.EepromImage;
  image.SequentialDump = true;
  unit::ParseEepromDump(c);
  image.SequentialDump = false;
  const std::int32_t firmware = SnapshotFirmware(image);

  c.st.RxBuffer = c.st.UStatusText;
  ReadSavedULine(c, firmware);
  c.st.RxBuffer = c.st.VStatusText;
  ReadSavedVLine(c, firmware);

  c.st.RxBuffer = c.st.EepromImage;
  unit::ParseEepromDump(c);
  for (int a = 0; a <= 255; ++a)
    unit::CheckParameterValue(c, a, image.Eeprom[static_cast<std::size_t>(a)]);
  unit::RedrawLoadedRows(c);
  // The image is shown: the option pairs may send again.
  image.ParamLoadInProgress = false;
}

}  // namespace lnk
