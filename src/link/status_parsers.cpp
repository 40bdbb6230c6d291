#include "link/status_parsers.h"

#include <string>

#include "app/console.h"
#include "app/frm_progress.h"
#include "app/status_file.h"
#include "common/shared_state.h"
#include "common/vb.h"
#include "link/command_table.h"
#include "link/reply_tokens.h"
#include "link/status_display.h"
#include "link/v4_status_packet.h"
#include "unit/frm_install.h"
#include "unit/parameter_loading.h"

namespace lnk {

namespace {

// The clock fields back from the shown texts, by position: characters 1-2,
// 6-7 and the last two of "YY / MM / DD" (and of "hh : mm : ss"). Each part
// goes into its spinner when it lies in the field's range; otherwise the
// spinner stays and the field's box shows the number as received.
void ShowClockField(unit::frmInstall& inst, int field, const std::string& part) {
  const double value = vb::Val(part);
  if (value >= unit::kDateFieldMin[field] && value <= unit::kDateFieldMax[field]) {
    inst.udDate[field].Value = vb::CInt(value);
    // The spinner may already stand at the value (no Change), while its box
    // still shows an earlier out-of-range number.
    inst.ShowDateField(field);
  } else {
    inst.txtDate[field].Text = vb::CStr(value);
  }
}

void ShowClockFields(app::Console& c, unit::frmInstall& inst, const std::string& weekday) {
  auto& p = c.Get<app::frmProgress>();
  const std::string date = p.txtDate.Text();
  const std::string time = p.txtTime.Text();
  const std::string parts[6] = {vb::Mid(date, 1, 2), vb::Mid(date, 6, 2), vb::Right(date, 2),
                                vb::Mid(time, 1, 2), vb::Mid(time, 6, 2), vb::Right(time, 2)};
  for (int field = 0; field < 6; ++field) ShowClockField(inst, field, parts[field]);

  const double day = vb::Val(weekday);
  const bool day_in_range = day >= 0 && day <= 6;
  if (day_in_range) {
    inst.udDate[unit::kWeekdayField].Value = vb::CInt(day);
  } else {
    inst.txtDay.Text = vb::CStr(day);
  }
  for (int field = 0; field < unit::kDateFieldCount; ++field)
    c.param.DateShadow[static_cast<size_t>(field)] = inst.udDate[field].Value();
  // An out-of-range weekday stays visible as its number, like the other fields.
  if (day_in_range) inst.ShowDateField(unit::kWeekdayField);
}

// Currents: tenths of an ampere, or hundredths on the state-of-charge firmware.
std::string NextCurrentText(app::Console& c, std::string& rx) {
  if (c.param.FirmwareVersion == kSocLayoutFirmware)
    return vb::Format(vb::Val(NextHundredthsToken(rx)), "0.00");
  return vb::Format(vb::Val(NextTenthsToken(rx)), "0.0");
}


}  // namespace

void ParseUReply(app::Console& c) {
  std::string& rx = c.st.RxBuffer;
  auto& inst = c.Get<unit::frmInstall>();
  auto& p = c.Get<app::frmProgress>();

  ShowStatusDateAndTime(c);
  ShowClockFields(c, inst, NextIntToken(rx));

  inst.txtBattVolts.Text = NextHundredthsToken(rx);
  p.txtVoltsBatt.Text = inst.txtBattVolts.Text();
  inst.txtCurrentPV.Text = NextCurrentText(c, rx);
  p.txtCurrentPV.Text = inst.txtCurrentPV.Text();
  inst.txtCurrentLoad.Text = NextCurrentText(c, rx);
  p.txtCurrentLoad.Text = inst.txtCurrentLoad.Text();
  ShowNetCurrent(c);

  ShowTemperaturesAndLamps(c);
  NextIntToken(rx);  // not shown
  if (c.param.FirmwareVersion == kSocLayoutFirmware) {
    inst.txtSOC.Text = NextHundredthsToken(rx);
    p.txtSOC.Text = inst.txtSOC.Text();
  }
  DrawStatusGauges(c);
}

void ParseVReply(app::Console& c) {
  auto& inst = c.Get<unit::frmInstall>();
  auto& p = c.Get<app::frmProgress>();

  const std::string net = ReadVLineToNetAmpHours(c);
  const double reference = SocReference(c);
  if (reference != 0 && c.param.FirmwareVersion != kSocLayoutFirmware) {
    const double percent = vb::Int(vb::Val(net) * 100 / reference * 100) / 100;
    inst.txtSOC.Text = vb::Format(percent, "0.00");
    p.txtSOC.Text = inst.txtSOC.Text();
  }
  ShowVLineCounters(c, net);
}

void DecodeV4StatusPacket(app::Console& c) {
  c.st.RxBuffer = BuildV4StatusULine(c.st.PacketBuf, c.param.FirmwareVersion);
  ParseUReply(c);
  c.st.RxBuffer = BuildV4StatusVLine(c.st.PacketBuf, c.param.FirmwareVersion);
  ParseVReply(c);
}

void ShowDumpPacket(app::Console& c) {
  auto& st = c.st;
  std::string errors;
  for (int address = 0; address <= 274; ++address) {
    auto& value = c.param.Eeprom[static_cast<std::size_t>(address)];
    value = static_cast<unsigned char>(st.PacketBuf[static_cast<std::size_t>(address + 2)]);
    errors += unit::CheckParameterValue(c, address, value);
  }
  st.EepromImage = app::kBinaryImage;
  unit::ShowLoadedParameters(c, errors);
  st.RetryCount = 0;
  st.CmdState = kIdle;
  st.AutoNext = false;
  DecodeV4StatusPacket(c);
}

}  // namespace lnk
