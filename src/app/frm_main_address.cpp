// Giving a V4 unit a new address, and changing the address the console
// puts in front of its packets.
#include <string>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/unit_address.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "unit/parameter_writes.h"

namespace app {

namespace {
// The unit keeps its address three times over, high byte first, from here.
constexpr int kAddressParameter = 268;
}  // namespace

void frmMain::mnuOptAddress_Click() {
  auto& st = c_.st;
  if (!st.Online || !st.V4Mode) {
    c_.rt.MsgBox(
        "You must be connected to a VKX-4700 which supports address prefixing to use this option.",
        ui::vbOKOnly, app_info::kTitle);
    return;
  }
  const std::string answer =
      c_.rt.InputBox("Please enter the new address for this unit (0-65535):", app_info::kTitle,
                     vb::CStr(st.UnitAddress));
  if (answer.empty()) return;
  const auto address = ParseUnitAddress(answer);
  if (!address) {
    c_.rt.MsgBox("Unit address must be in the range 0-65535", ui::vbOKOnly, app_info::kProductName);
    return;
  }
  const char high = static_cast<char>(*address / 256);
  const char low = static_cast<char>(*address & 255);
  st.WriteData = {high, low, high, low, high, low};
  st.WriteAddress = kAddressParameter;
  unit::SendSetParameter(c_);
  // The next packets go to the new address at once, before the unit answers.
  st.UnitAddress = *address;
  c_.SaveSetting("LastAddress", vb::CStr(*address));
}

// An answer that is no valid address (Cancel among them) leaves the address
// as it was.
void frmMain::cmdChange_Click() {
  const std::string answer =
      c_.rt.InputBox("Please enter new unit address: (0-65535)", "Change Address", "65535");
  if (const auto address = ParseUnitAddress(answer)) c_.st.UnitAddress = *address;
}

}  // namespace app
