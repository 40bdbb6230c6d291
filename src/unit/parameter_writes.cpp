#include "unit/parameter_writes.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_prog_bar.h"
#include "app/frm_send_progress.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "common/whole_number.h"
#include "link/command_gate.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "link/v4_link.h"
#include "unit/frm_install.h"
#include "unit/parameter_table.h"

namespace unit {

namespace {

constexpr int kCapacityHigh = 24;
constexpr int kCapacityLow = 25;
constexpr int kCapacityHundredsMax = 654;
constexpr int kCapacityMax = 65535;  // what its two bytes hold

std::string Byte(int value) { return vb::Chr(value & 0xFF); }

}  // namespace

std::string V4WritePayload(int address, std::string_view data) {
  return "S" + Byte(static_cast<int>(data.size())) + Byte(address / 256) + Byte(address) +
         std::string(data);
}

void StartBulkWrite(app::Console& c, int first, int end) {
  auto& st = c.st;
  c.Get<app::frmProgBar>().Show();
  st.BulkWriteFirst = first;
  st.WriteCursor = first;
  st.WriteEnd = end;
  st.WriteAddress = first;
  st.WriteData = vb::Mid(st.EepromImage, first + 3, 4);
  st.BulkWriteActive = true;
  SendSetParameter(c);
}

int BulkWritePackets(const common::SharedState& st) {
  // One packet at each cursor below the end, and the one the end is reached with.
  return (st.WriteEnd - st.BulkWriteFirst + 3) / 4 + 1;
}

int BulkWriteAcknowledged(const common::SharedState& st) {
  return (st.WriteCursor - st.BulkWriteFirst) / 4;
}

void StopBulkWrite(app::Console& c) {
  auto& st = c.st;
  st.BulkWriteActive = false;
  c.Unload<app::frmProgBar>();
  c.rt.MsgBox("The unit acknowledged " + vb::CStr(BulkWriteAcknowledged(st)) + " of " +
                  vb::CStr(BulkWritePackets(st)) +
                  " packets; the write into its memory is incomplete.",
              ui::vbExclamation, app_info::kTitle);
}

std::optional<std::string> BatteryCapacityBytes(std::string_view typed) {
  const std::optional<std::int64_t> n = common::WholeNumber(typed);
  if (!n || *n < 0 || *n > kCapacityMax) return std::nullopt;
  const int v = static_cast<int>(*n);
  return Byte(v / 256) + Byte(v);
}

void SendSetParameter(app::Console& c) {
  auto& st = c.st;
  if (st.WriteData.empty()) return;
  if (st.V4Mode) {
    st.PacketOut = V4WritePayload(st.WriteAddress, st.WriteData);
    st.V4RetryCount = 0;
    st.CmdState = lnk::kV4Write;
    st.RetryCount = 0;
    st.AutoNext = false;
    lnk::SendV4Packet(c, st.UnitAddress, st.PacketOut);
    return;
  }
  st.WriteCancelled = false;  // a new write: its last reply is its own
  std::string command = "Ss" + vb::Format(st.WriteAddress, "000");
  auto& progress = c.Get<app::frmSendProgress>();
  progress.ProgressBar1.Max = static_cast<int>(st.WriteData.size());
  progress.ProgressBar1.Value = 0;
  progress.Show(false, &c.Get<app::frmMain>());
  c.cmd.Cmd[lnk::kSetParameter] =
      command + vb::Format(static_cast<unsigned char>(st.WriteData[0]), "000");
  st.CmdState = lnk::kSetParameter;
  st.AutoNext = false;
  lnk::SendCommand(c);
}

// ---- the send buttons of the parameter rows ---------------------------------

void frmInstall::BindParameterWrites() {
  for (auto& [address, button] : cmdProp) {
    const int a = address;
    button->Click = lnk::Gated(c_, [this, a] { cmdProp_Click(a); });
  }
  for (auto& [address, box] : txtProp) {
    const int a = address;
    box->KeyPress = [this, a](int& key) { txtProp_KeyPress(a, key); };
  }
  udAH1.Change = [this] { udAH1_Change(); };
  udAH2.Change = [this] { udAH2_Change(); };
  udAH1.DownClick = [this] { udAH1_DownClick(); };
  udAH1.UpClick = [this] { udAH1_UpClick(); };
  udAH2.DownClick = [this] { udAH2_DownClick(); };
  udAH2.UpClick = [this] { udAH2_UpClick(); };
}

void frmInstall::cmdProp_Click(int Index) {
  auto& st = c_.st;
  auto& shadow = c_.param.ParamShadow;
  const auto remember = [&shadow](int address, int value) {
    shadow[static_cast<std::size_t>(address)] = static_cast<std::int16_t>(value);
  };
  const auto value_of = [this](int address) { return udProp[address].Value(); };
  const std::string tag = cmdProp[Index].Tag();
  if (tag == "BATTAH") {
    // The only kind that sends typed text: what the row shows, when its
    // two bytes can hold it.
    const auto capacity = BatteryCapacityBytes(txtProp[kCapacityLow].Text());
    if (!capacity) {
      c_.rt.MsgBox("The battery capacity must be a whole number from 0 to 65535 Ah.",
                   ui::vbExclamation, app_info::kTitle);
      return;
    }
    const std::string& bytes = *capacity;
    st.WriteData = bytes;
    st.WriteAddress = kCapacityHigh;
    SendSetParameter(c_);
    cmdProp[Index].Visible = false;
    // The shadows hold what the unit now has, so the arrows compare with it.
    remember(kCapacityHigh, static_cast<unsigned char>(bytes[0]));
    remember(kCapacityLow, static_cast<unsigned char>(bytes[1]));
    return;
  }
  if (tag.empty() && !TakeTypedValue(Index)) return;
  st.WriteAddress = Index;
  if (tag == "S2") {
    st.WriteData = Byte(value_of(Index - 1)) + Byte(value_of(Index));
    st.WriteAddress = Index - 1;
    SendSetParameter(c_);
    remember(Index - 1, value_of(Index - 1));
  } else if (tag == "AHADD") {
    const int v = value_of(kAhAdd);
    st.WriteData = Byte(std::abs(v)) + Byte(v < 0 ? 1 : 0);
    st.WriteAddress = kAhAdd;
    SendSetParameter(c_);
    remember(kAhAddSign, v < 0 ? 1 : 0);
  } else if (st.V4Mode) {
    st.PacketOut = V4WritePayload(Index, Byte(value_of(Index)));
    V4Start(lnk::kV4Write, st.PacketOut);
  } else {
    st.WriteData.clear();  // only this byte
    c_.cmd.Cmd[lnk::kSetParameter] =
        "Ss" + vb::Format(Index, "000") + vb::Format(value_of(Index), "000");
    TextStart(lnk::kSetParameter);
  }
  cmdProp[Index].Visible = false;
  remember(Index, value_of(Index));
}

bool frmInstall::TakeTypedValue(int Index) {
  // A row whose box takes typing sends what the box shows; the arrows keep
  // box and spinner alike, so only typed text differs from the spinner.
  const ui::TextBox* box = txtProp.Find(Index);
  ui::UpDown* spinner = udProp.Find(Index);
  if (box == nullptr || box->Locked() || spinner == nullptr) return true;
  const std::optional<std::int64_t> n = common::WholeNumber(box->Text());
  if (!n || *n < spinner->Min() || *n > spinner->Max()) {
    c_.rt.MsgBox("The value must be a whole number from " + vb::CStr(spinner->Min()) + " to " +
                     vb::CStr(spinner->Max()) + ".",
                 ui::vbExclamation, app_info::kTitle);
    return false;
  }
  spinner->Value = static_cast<int>(*n);
  return true;
}

void frmInstall::txtProp_KeyPress(int Index, int& KeyAscii) {
  // Typing into the first password field offers the second field's button.
  const int row = Index == 75 ? 76 : Index;
  const ui::UpDown* spinner = udProp.Find(row);
  if (spinner == nullptr || !spinner->Enabled()) {
    KeyAscii = 0;  // a locked row takes no change, typed or sent
    return;
  }
  ui::CommandButton* send = cmdProp.Find(row);
  if (send == nullptr) return;
  if (Index == 75 || !txtProp[Index].Locked()) send->Visible = true;
}

// ---- the battery capacity editor: hundreds and units ------------------------

namespace {
std::string CapacityText(const ui::UpDown& hundreds, const ui::UpDown& units) {
  return vb::CStr(hundreds.Value() * 100 + units.Value());
}
}  // namespace

void frmInstall::udAH1_Change() { txtProp[kCapacityLow].Text = CapacityText(udAH1, udAH2); }
void frmInstall::udAH2_Change() { txtProp[kCapacityLow].Text = CapacityText(udAH1, udAH2); }

void frmInstall::udAH1_DownClick() { OfferCapacitySend(); }
void frmInstall::udAH1_UpClick() { OfferCapacitySend(); }

void frmInstall::udAH2_DownClick() {
  if (udAH2.Value() == udAH2.Max()) {  // wrapped below 0: borrow a hundred
    if (udAH1.Value() > 0)
      udAH1.Value = udAH1.Value() - 1;
    else
      udAH2.Value = 0;
  }
  OfferCapacitySend();
}

void frmInstall::udAH2_UpClick() {
  if (udAH2.Value() == udAH2.Min()) {  // wrapped above 99: carry a hundred
    if (udAH1.Value() < kCapacityHundredsMax)
      udAH1.Value = udAH1.Value() + 1;
    else
      udAH2.Value = udAH2.Max();
  }
  OfferCapacitySend();
}

void frmInstall::OfferCapacitySend() {
  const int capacity = udAH1.Value() * 100 + udAH2.Value();
  udProp[kCapacityHigh].Value = capacity / 256;
  udProp[kCapacityLow].Value = capacity - 256 * (capacity / 256);
  const auto& shadow = c_.param.ParamShadow;
  const bool same = udProp[kCapacityHigh].Value() == shadow[kCapacityHigh] &&
                    udProp[kCapacityLow].Value() == shadow[kCapacityLow];
  cmdProp[kCapacityLow].Visible = !same;
  txtProp[kCapacityLow].Text = vb::CStr(capacity);
}

}  // namespace unit
