#include "unit/parameter_loading.h"

#include "app/console.h"
#include "app/frm_progress.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "unit/frm_install.h"
#include "unit/model_rows.h"
#include "unit/parameter_table.h"

namespace unit {

namespace {

constexpr int kVariantAddress = 4;     // firmware minor: also the auxiliary relay variant
constexpr int kBattMaintVoff = 227;    // a parameter, or the modem init string's first character
constexpr int kBatteryOffset = 267;

std::string Dec(long v) { return vb::CStr(v); }

// One line of a load's data-boundary report.
std::string BoundaryError(int address, int min, int max, int value) {
  return Dec(address) + " (" + Dec(min) + "..." + Dec(max) + ") = " + Dec(value) +
         std::string(vb::vbCrLf);
}

// Puts an accepted value into its row. A value equal to the spinner's raises
// no Change, so the row is drawn here: no design placeholder outlives a load.
void ShowRowValue(app::Console& c, frmInstall& f, int address, int value) {
  ui::UpDown& ud = f.udProp[address];
  const bool same = ud.Value() == value;
  ud.Value = value;
  c.param.ParamShadow[static_cast<std::size_t>(address)] = static_cast<std::int16_t>(value);
  if (same) f.udProp_Change(address);
}

// The auxiliary relay drives a generator, except on firmware variants 14
// (CP) and 15 (CEMF): its block caption, row names, type words, mode range
// and lamp name by variant.
struct RelayBlock {
  int variant;  // -1: any other
  const char* caption;
  const char* label19;
  const char* label20;
  const char* level_type;  // rows 39 and 40
  const char* mode_type;   // row 38
  int mode_max;
  const char* lamp;
};
constexpr RelayBlock kRelayBlocks[] = {
    {14, "CP", "Sec off", "Sec on", "X2", "CPMODE", 1, "CP"},
    {15, "CEMF", "Voff", "Von", "V", "GENMODE", 2, "CEMF"},
    {-1, "Generator", "Von", "Voff", "V", "GENMODE", 2, "GEN"},
};

void RelabelAuxiliaryRelay(frmInstall& f, int variant) {
  const RelayBlock* b = &kRelayBlocks[2];
  for (const RelayBlock& candidate : kRelayBlocks)
    if (candidate.variant == variant) b = &candidate;
  f.Label27.Caption = b->caption;
  f.lblProp[19].Caption = b->label19;
  f.lblProp[20].Caption = b->label20;
  f.udProp[40].Tag = b->level_type;
  f.udProp[39].Tag = b->level_type;
  f.udProp[38].Tag = b->mode_type;
  f.udProp[38].Max = b->mode_max;
  f.lblRelay[17].Caption = b->lamp;
}

bool HasBattSafeMaint(frmInstall& f) {
  const int variant = f.udProp[kVariantAddress].Value();
  return (variant == 21 || variant == 20) && f.udProp[3].Value() == 2;
}

bool Address227IsParameter(app::Console& c, frmInstall& f) {
  return HasBattSafeMaint(f) || c.param.FirmwareVersion >= 32116;
}

// The %add row shows magnitude and sign together; 226 follows 225 in every
// load, so the magnitude shown is made negative here.
std::string ShowAhAddSign(app::Console& c, frmInstall& f, int sign) {
  if (sign != 0 && sign != 1)
    return BoundaryError(kAhAddSign, 0, 1, sign);
  c.param.ParamShadow[kAhAddSign] = static_cast<std::int16_t>(sign);
  if (f.udProp.Find(kAhAdd) == nullptr) return "";
  const int magnitude = c.param.Eeprom[kAhAdd];
  ShowRowValue(c, f, kAhAdd, sign == 1 ? -magnitude : magnitude);
  return "";
}

}  // namespace

void RedrawLoadedRows(app::Console& c) {
  frmInstall& f = c.Get<frmInstall>();
  const int last = c.st.V4Mode ? 274 : 255;
  for (const ParameterRow& row : ParameterRows()) {
    const int a = row.address;
    if (a > last || IsSkippedAddress(a) || (a > kBattMaintVoff && a <= 255)) continue;
    if (a == kBattMaintVoff && !Address227IsParameter(c, f)) continue;
    if (f.udProp[a].Value() != c.param.Eeprom[static_cast<std::size_t>(a)]) continue;
    f.udProp_Change(a);
  }
}

std::int32_t FirmwareVersionFromRows(app::Console& c) {
  frmInstall& f = c.Get<frmInstall>();
  const auto text_value = [&f](int address) { return vb::Val(f.txtProp[address].Text()); };
  return vb::CLng(text_value(3) * 10000 + text_value(4) * 100 + text_value(5));
}

std::string CheckParameterValue(app::Console& c, int address, int value) {
  if (address == kAhAddSign) return ShowAhAddSign(c, c.Get<frmInstall>(), value);
  if (address < 0 || address >= kParamCount || IsSkippedAddress(address)) return "";
  frmInstall& f = c.Get<frmInstall>();
  if (address == kVariantAddress) {
    ShowRowValue(c, f, address, value);
    RelabelAuxiliaryRelay(f, value);
    return "";
  }
  if (address == kBattMaintVoff) {
    c.param.FirmwareVersion = FirmwareVersionFromRows(c);
    if (Address227IsParameter(c, f)) {
      f.txtModemInit.Text = "";
      ShowRowValue(c, f, address, value);
    } else {
      // An empty string in the unit starts with a zero byte: nothing to show.
      f.txtModemInit.Text = value == 0 ? std::string() : vb::Chr(value);
    }
    return "";
  }
  if (address > kBattMaintVoff && address <= 255) {  // the rest of the modem init string
    if (value >= 1 && value <= 128) f.txtModemInit.Text = f.txtModemInit.Text() + vb::Chr(value);
    return "";
  }
  if (address == kBatteryOffset) {
    ShowRowValue(c, f, address, value);
    f.udProp_Change(101);  // the battery extremes include the offset
    f.udProp_Change(107);
    return "";
  }
  ui::UpDown* ud = f.udProp.Find(address);
  if (ud == nullptr) return "";
  if (value > ud->Max() || value < ud->Min()) {
    if (ui::TextBox* box = f.txtProp.Find(address)) box->Text = Dec(value);
    return BoundaryError(address, ud->Min(), ud->Max(), value);
  }
  ShowRowValue(c, f, address, value);
  return "";
}

void ReportParameterBounds(app::Console& c, const std::string& errors) {
  frmInstall& f = c.Get<frmInstall>();
  const bool generator_timing = f.udProp[kVariantAddress].Value() >= 17 || c.st.V4Mode;
  SetParameterRowState(c, 62, 63, generator_timing);
  SetParameterRowState(c, 13, 62, generator_timing);
  SetParameterRowState(c, 12, 64, generator_timing);
  SetParameterRowState(c, 17, 65, generator_timing);

  const long capacity = f.udProp[24].Value() * 256L + f.udProp[25].Value();
  const long hundreds = capacity / 100;
  f.udAH1.Value = static_cast<int>(hundreds > 255 ? 255 : hundreds);
  f.udAH2.Value = static_cast<int>(capacity - 100 * hundreds);

  c.param.ParamLoadInProgress = false;
  if (!errors.empty())
    c.rt.MsgBox("Data boundary error(s):" + std::string(vb::vbCrLf) + errors, ui::vbOKOnly,
                app_info::kProductName);

  if (HasBattSafeMaint(f)) {
    c.param.GenBattSafeMaint = true;
    f.cmdRi.Visible = true;
    f.cmdRj.Visible = true;
    SetParameterRowState(c, 10, kBattMaintVoff, true);
    f.lblProp[17].Caption = "Gen/Batt Safe Maint Mins";
  } else {
    c.param.GenBattSafeMaint = false;
  }
}

void ShowLoadedParameters(app::Console& c, const std::string& errors) {
  frmInstall& f = c.Get<frmInstall>();
  RedrawLoadedRows(c);
  ReportParameterBounds(c, errors);
  ShowV4ParameterRows(c);
  c.param.FirmwareVersion = FirmwareVersionFromRows(c);
  f.txtMaxTemp.Text = f.txtProp[186].Text();
  f.txtMinTemp.Text = f.txtProp[187].Text();
  f.txtNumInits.Text = f.txtProp[185].Text();
  f.cmdUpdate.BackColor = ui::vbGreen;
  c.Get<app::frmProgress>().cmdUpdate.BackColor = ui::vbGreen;
  ShowModelRows(c, c.param.FirmwareVersion == 40200);
}

}  // namespace unit
