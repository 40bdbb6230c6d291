// A parameter row's raw value shown in engineering form by its type word.
#include <cstdlib>
#include <string>

#include "app/console.h"
#include "common/vb.h"
#include "unit/frm_install.h"
#include "unit/install_parameter_controls.h"

namespace unit {

namespace {

// Plain decimal: a minus sign where negative, no blank, "0.5" not ".5".
std::string Dec(double x) { return vb::CStr(x); }

// Two-digit minutes of a clock time ("05").
std::string Minutes(int v) { return (v < 10 ? "0" : "") + Dec(v); }

// Volts with two decimals: "40" -> "40.00", "45.5" -> "45.50".
std::string PadVolts(std::string text) {
  if (text.size() == 2) return text + ".00";
  if (text.size() == 4) return text + "0";
  return text;
}

// The word of a mode value, or nullptr for a value outside the list.
const char* ModeWord(const std::string& type, int raw) {
  struct Mode {
    const char* type;
    const char* words[3];
  };
  static constexpr Mode kModes[] = {
      {"GENMODE", {"Off", "Auto", "On"}},
      {"CPMODE", {"On", "Auto", nullptr}},
      {"HVDMODE", {"NC Relay", "NO Relay", "PWM-FET"}},
      {"LVDMODE", {"LD On", "Auto", "LD Off"}},
      {"LHVDMODE", {"Disabled", "Enabled", nullptr}},
      {"HLVAMODE", {"Off", "Auto", "On"}},
      {"TCOMPMODE", {"Disabled", "Std Range", "T>0 Range"}},
      {"EQUMODE", {"Manual", "Auto", nullptr}},
  };
  for (const Mode& m : kModes) {
    if (type != m.type) continue;
    return raw >= 0 && raw < 3 ? m.words[raw] : nullptr;
  }
  return nullptr;
}

bool IsModeType(const std::string& type) {
  return type == "GENMODE" || type == "CPMODE" || type == "HVDMODE" || type == "LVDMODE" ||
         type == "LHVDMODE" || type == "HLVAMODE" || type == "TCOMPMODE" || type == "EQUMODE";
}

}  // namespace

int InstallParameterControls::ValueOf(int address) {
  const ui::UpDown* ud = udProp.Find(address);
  return ud != nullptr ? ud->Value() : 0;
}

// Rows without a text box of their own show nothing there.
void InstallParameterControls::SetRowText(int address, const std::string& text) {
  if (ui::TextBox* box = txtProp.Find(address)) box->Text = text;
}

// Amperes from a raw reading and the input's zero, calibration and shunt rows.
std::string InstallParameterControls::CurrentText(int raw, int zero_address, int cal_address,
                                                  int shunt_address) {
  const long x = (static_cast<long>(std::abs(raw - ValueOf(zero_address))) * ValueOf(cal_address)) /
                 100 * ValueOf(shunt_address) * 5;
  std::string text = Dec(static_cast<double>(x) / 100);
  if (text.find('.') == std::string::npos) text += ".00";
  return text;
}

void InstallParameterControls::udProp_Change(int Index) {
  ui::UpDown* ud = udProp.Find(Index);
  if (ud == nullptr) return;
  app::Console& c = Console();
  const std::string type = ud->Tag();
  const long raw = ud->Value();
  const long s = raw > 127 ? raw - 256 : raw;                 // the byte as signed
  const long F = c.st.V4Mode ? 250 : ValueOf(8);              // battery calibration
  const long N = ValueOf(19);                                 // 12-volt blocks

  if (type == "V" || type == "OV") {
    const long offset = type == "OV" ? ValueOf(267) : 0;
    const long x = ((raw * F) / 100 + 1000 + offset) * N;
    SetRowText(Index, PadVolts(Dec(static_cast<double>(x) / 100)));
  } else if (type == "DV") {
    const long x = ((s * F) / 100) * N;
    SetRowText(Index, Dec(static_cast<double>(x) / 100));
  } else if (type == "SCUR") {
    SetRowText(Index, CurrentText(static_cast<int>(raw), 10, 11, 22));
  } else if (type == "LCUR") {
    SetRowText(Index, CurrentText(static_cast<int>(raw), 195, 196, 21));
  } else if (IsModeType(type)) {
    if (const char* word = ModeWord(type, static_cast<int>(raw))) SetRowText(Index, word);
    if (type == "EQUMODE") {
      if (const ui::TextBox* box = txtProp.Find(Index)) txtEqMode.Text = box->Text();
    }
  } else if (type == "CHGMODE") {
    SetRowText(Index, raw == 0 ? "Voltage" : "EBBM");
  } else if (type == "x30" || type == "X2" || type == "X5" || type == "X12") {
    const long factor = type == "x30" ? 30 : type == "X2" ? 2 : type == "X5" ? 5 : 12;
    SetRowText(Index, Dec(static_cast<double>(raw * factor)));
  } else if (type == "%") {
    SetRowText(Index, vb::Str(static_cast<double>(raw)) + "%");
  } else if (type == "X.1%") {
    SetRowText(Index, vb::Str(static_cast<double>(raw) * 0.1) + "%");
  } else if (type == "BYTE") {
    SetRowText(Index, Dec(static_cast<double>(s)));
  } else if (type == "TEMP") {
    SetRowText(Index, Dec(static_cast<double>(s)) + " \xBA" "C");
  } else if (type == "INTEGER1" || type == "INTEGER2") {
    SetRowText(25, Dec(static_cast<double>(ValueOf(24) * 256L + ValueOf(25))));
  } else if (type == "INSTALLPASS") {
    SetRowText(Index, c.st.InstallLocked ? "??" : Dec(static_cast<double>(raw)));
  } else if (type == "CONTROLSPASS") {
    SetRowText(Index, c.st.ControlsLocked ? "??" : Dec(static_cast<double>(raw)));
  } else if (type == "T1") {
    SetRowText(Index + 1, Dec(static_cast<double>(raw)) + ":" + Minutes(ValueOf(Index + 1)));
  } else if (type == "T2") {
    SetRowText(Index, Dec(ValueOf(Index - 1)) + ":" + Minutes(static_cast<int>(raw)));
  } else if (type == "D1" || type == "GENHOURS1") {
    // the partner row shows the pair
  } else if (type == "D2") {
    SetRowText(Index, Dec(ValueOf(Index - 1)) + "/" + Dec(static_cast<double>(raw)));
  } else if (type == "GENHOURS2") {
    const double hours = static_cast<double>(ValueOf(Index - 1) * 256L + raw) / 60;
    SetRowText(Index, Dec(vb::Int(hours * 100) / 100));
  } else if (type == "LVDMV") {
    SetRowText(Index, Dec(static_cast<double>((s * N * F) / 100)));
  } else if (type == "HVDMV") {
    // The stored byte is always a negative slope.
    SetRowText(Index, Dec(static_cast<double>(((raw - 256) * N * F) / 100)));
  } else if (type == "LD1T") {
    frmInstall& f = Screen();
    f.imgLd1T.Picture = raw == 0 ? f.imgGreenOff.Picture() : f.imgGreenOn.Picture();
    f.optLD1T[raw == 0 ? 0 : 1].Value = true;
  } else if (type == "FAULT") {
    frmInstall& f = Screen();
    imgFault1.Picture = raw == 0 ? f.imgRedOff.Picture() : f.imgRedOn.Picture();
  } else {
    SetRowText(Index, Dec(static_cast<double>(raw)));
  }
}

void InstallParameterControls::udProp_DownClick(int Index) { OfferSend(Index); }
void InstallParameterControls::udProp_UpClick(int Index) { OfferSend(Index); }

void InstallParameterControls::OfferSend(int index) {
  // The first byte of a pair is sent with its partner's button.
  if (index == 24 || index == 56 || index == 58) {
    if (ui::CommandButton* send = cmdProp.Find(index + 1)) send->Visible = true;
    return;
  }
  ui::CommandButton* send = cmdProp.Find(index);
  if (send == nullptr) return;
  send->Visible = ValueOf(index) != Console().param.ParamShadow[static_cast<size_t>(index)];
}

}  // namespace unit
