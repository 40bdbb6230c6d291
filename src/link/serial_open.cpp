#include "link/serial_open.h"

#include "app/console.h"
#include "common/app_info.h"
#include "common/vb.h"

namespace lnk {

bool OpenSerialPort(app::Console& c, const std::string& failure) {
  auto& port = c.MSComm1;
  if (port.SetPortOpen(true)) return true;
  const std::string name = "COM" + vb::CStr(port.CommPort);
  if (!port.RefusedSettings().empty()) {
    // A line the unit cannot read is no connection: the road does not start.
    c.rt.MsgBox(name + " does not accept these settings: " + port.RefusedSettings() +
                    ".\r\nPlease choose others under Options, Settings.",
                ui::vbExclamation, app_info::kTitle);
  } else if (failure.empty()) {
    c.rt.MsgBox(name + " cannot be opened: " + port.LastError() + ".", ui::vbExclamation,
                app_info::kTitle);
  } else {
    c.rt.MsgBox(failure, ui::vbOKOnly, app_info::kTitle);
  }
  return false;
}

}  // namespace lnk
