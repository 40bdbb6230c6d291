// The main window's settings entries: each dialog opens modally behind the
// settings guard, which refuses while a real session is online and closes
// the serial port otherwise.
#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_select_modem.h"
#include "app/frm_settings.h"

namespace app {

void frmMain::mnuSettings_Click() {
  if (SettingsGuard()) c_.Get<frmSettings>().Show(true, this);
}

void frmMain::mnuSelectModem_Click() {
  if (SettingsGuard()) c_.Get<frmSelectModem>().Show(true, this);
}

}  // namespace app
