#include "link/status_display.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/console.h"
#include "app/frm_progress.h"
#include "common/vb.h"
#include "link/reply_tokens.h"
#include "unit/frm_install.h"

namespace lnk {

namespace {

// Relay and alarm bits of U line token 14, generator bit of token 15.
constexpr std::int32_t kPV1Relay = 8;
constexpr std::int32_t kLoad1Relay = 16;
constexpr std::int32_t kHighVoltageAlarm = 32;
constexpr std::int32_t kLowVoltageAlarm = 64;
constexpr std::int32_t kPV2Relay = 128;
constexpr std::int32_t kGeneratorRunning = 32;

const char* const kDegrees = " \xBA" "C";

// The four numbers of a gauge scale; nothing when the tag does not hold a
// usable scale (a scale without height would divide by zero).
struct GaugeScale {
  double top, red, yellow, bottom;
};

std::optional<GaugeScale> ReadScale(const std::string& tag) {
  std::array<double, 4> s{};
  std::size_t start = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (start > tag.size()) return std::nullopt;
    const std::size_t comma = tag.find(',', start);
    const std::size_t end = comma == std::string::npos ? tag.size() : comma;
    s[i] = vb::Val(std::string_view(tag).substr(start, end - start));
    start = end + 1;
  }
  if (s[0] == s[3]) return std::nullopt;
  return GaugeScale{s[0], s[1], s[2], s[3]};
}

}  // namespace

void DrawGauge(ui::PictureBox& GaugePicture, const ui::Label& GaugeLabel, double GaugeValue) {
  const auto scale = ReadScale(GaugeLabel.Tag());
  GaugePicture.Cls();
  if (!scale) return;
  const double top = GaugeLabel.Top();
  const double height = GaugeLabel.Height();
  const double left = GaugeLabel.Left();
  const double right = left + GaugeLabel.Width();
  const double bottom = top + height;
  const auto y = [&](double x) {
    return top + height * (scale->top - x) / (scale->top - scale->bottom);
  };
  const auto column_from = [&](double y1, ui::Color color) {
    GaugePicture.Box(left, y1, right, bottom, color, true);
  };
  const double v = GaugeValue;
  column_from(top, kGaugeDarkRed);
  column_from(y(scale->red), kGaugeDarkYellow);
  column_from(y(scale->yellow), kGaugeDarkBlue);
  if (v > scale->red) column_from(v <= scale->top ? y(v) : top, kGaugeRed);
  if (v > scale->yellow) column_from(v <= scale->red ? y(v) : y(scale->red), kGaugeYellow);
  if (v > scale->bottom) column_from(v <= scale->yellow ? y(v) : y(scale->yellow), kGaugeBlue);
}

void DrawStatusGauges(app::Console& c) {
  auto& p = c.Get<app::frmProgress>();
  // Val reads the number in front and ignores the " ºC" behind it.
  DrawGauge(p.picVoltsBatt, p.lblVoltsBatt, vb::Val(p.txtVoltsBatt.Text()));
  DrawGauge(p.picTempBatt, p.lblTempBatt, vb::Val(p.txtTempBatt.Text()));
  DrawGauge(p.picTempCont, p.lblTempCont, vb::Val(p.txtTempController.Text()));
}

void ShowStatusLamps(app::Console& c, std::int32_t relay_bits, std::int32_t generator_bits) {
  auto& inst = c.Get<unit::frmInstall>();
  auto& p = c.Get<app::frmProgress>();
  const ui::Picture green_on = inst.imgGreenOn.Picture();
  const ui::Picture green_off = inst.imgGreenOff.Picture();
  const ui::Picture red_on = inst.imgRedOn.Picture();
  const ui::Picture red_off = inst.imgRedOff.Picture();

  const auto relay = [&](std::int32_t bit) {
    return (relay_bits & bit) != 0 ? green_off : green_on;
  };
  const auto alarm = [&](std::int32_t bit) { return (relay_bits & bit) != 0 ? red_on : red_off; };
  inst.imgPV1.Picture = relay(kPV1Relay);
  p.imgPV1.Picture = relay(kPV1Relay);
  inst.imgLoad1.Picture = relay(kLoad1Relay);
  p.imgLoad1.Picture = relay(kLoad1Relay);
  inst.imgHVA.Picture = alarm(kHighVoltageAlarm);
  inst.imgLVA.Picture = alarm(kLowVoltageAlarm);
  inst.imgPV2.Picture = relay(kPV2Relay);
  p.imgPV2.Picture = relay(kPV2Relay);
  inst.imgGEN.Picture = (generator_bits & kGeneratorRunning) != 0 ? green_on : green_off;
}

void ShowNetCurrent(app::Console& c) {
  auto& inst = c.Get<unit::frmInstall>();
  auto& p = c.Get<app::frmProgress>();
  p.txtAmpsNet.Text =
      vb::CStr(vb::Val(inst.txtCurrentPV.Text()) - vb::Val(inst.txtCurrentLoad.Text()));
  inst.txtAmpsNet.Text = p.txtAmpsNet.Text();
}

void ShowTemperatures(app::Console& c, const std::string& battery, const std::string& unit) {
  auto& inst = c.Get<unit::frmInstall>();
  auto& p = c.Get<app::frmProgress>();
  inst.txtTempBatt.Text = battery + kDegrees;
  p.txtTempBatt.Text = inst.txtTempBatt.Text();
  inst.txtTempUnit.Text = unit + kDegrees;
  p.txtTempController.Text = inst.txtTempUnit.Text();
}

void ShowEqualisation(app::Console& c, double flag) {
  auto& inst = c.Get<unit::frmInstall>();
  const bool pending = flag != 0;
  inst.imgEQU.Picture = pending ? inst.imgGreenOn.Picture() : inst.imgGreenOff.Picture();
  inst.lblEqState.Caption = pending ? "Next HVD" : "Off";
}

void ShowAmpHours(app::Console& c, const std::string& net, const std::string& in,
                  const std::string& out) {
  auto& inst = c.Get<unit::frmInstall>();
  auto& p = c.Get<app::frmProgress>();
  inst.txtAHnet.Text = net;
  p.txtAHnet.Text = net;
  inst.txtAHin.Text = in;
  p.txtAHout.Text = in;
  inst.txtAHout.Text = out;
  p.txtAHin.Text = out;
}

void ShowLoadHours(app::Console& c) {
  auto& inst = c.Get<unit::frmInstall>();
  const double load = vb::Val(inst.txtCurrentLoad.Text());
  if (load == 0) {
    inst.txtLoadHours.Text = "No Load";
    return;
  }
  inst.txtLoadHours.Text = vb::CStr(vb::Int(vb::Val(inst.txtAHnet.Text()) / load * 100) / 100);
}

void ShowStatusRead(app::Console& c) {
  c.Get<app::frmProgress>().cmdUpdate.BackColor = app::kUpdateIdleColor;
  c.Get<unit::frmInstall>().cmdUpdate.BackColor = app::kUpdateIdleColor;
}

double SocReference(app::Console& c) {
  const ui::TextBox* row = c.Get<unit::frmInstall>().txtProp.Find(25);
  return row == nullptr ? 0 : vb::Val(row->Text());
}

void ShowStatusDateAndTime(app::Console& c) {
  std::string& rx = c.st.RxBuffer;
  auto& inst = c.Get<unit::frmInstall>();
  auto& p = c.Get<app::frmProgress>();
  const std::string year = NextIntToken(rx);
  const std::string month = NextIntToken(rx);
  const std::string day = NextIntToken(rx);
  inst.txtStatusDate.Text = year + " / " + month + " / " + day;
  p.txtDate.Text = inst.txtStatusDate.Text();
  NextIntToken(rx);  // not shown
  const std::string hour = NextIntToken(rx);
  const std::string minute = NextIntToken(rx);
  const std::string second = NextIntToken(rx);
  inst.txtTime.Text = hour + " : " + minute + " : " + second;
  p.txtTime.Text = inst.txtTime.Text();
}

void ShowTemperaturesAndLamps(app::Console& c) {
  std::string& rx = c.st.RxBuffer;
  const std::string battery_temp = NextIntToken(rx);
  const std::string unit_temp = NextIntToken(rx);
  ShowTemperatures(c, battery_temp, unit_temp);
  const std::int32_t relay_bits = vb::CLng(vb::Val(NextIntToken(rx)));
  const std::int32_t generator_bits = vb::CLng(vb::Val(NextIntToken(rx)));
  ShowStatusLamps(c, relay_bits, generator_bits);
}

std::string ReadVLineToNetAmpHours(app::Console& c) {
  std::string& rx = c.st.RxBuffer;
  NextIntToken(rx);  // not shown
  NextIntToken(rx);  // not shown
  ShowEqualisation(c, vb::Val(NextIntToken(rx)));
  NextIntToken(rx);  // not shown
  NextIntToken(rx);  // not shown
  return NextHundredthsToken(rx);
}

void ShowVLineCounters(app::Console& c, const std::string& net) {
  std::string& rx = c.st.RxBuffer;
  const std::string in = NextHundredthsToken(rx);
  const std::string out = NextHundredthsToken(rx);
  ShowAmpHours(c, net, in, out);
  ShowLoadHours(c);
  ShowStatusRead(c);
}

}  // namespace lnk
