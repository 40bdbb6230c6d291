#include "app/session_transfers.h"

#include "app/console.h"
#include "app/frm_readout.h"
#include "app/frm_send_progress.h"
#include "unit/parameter_writes.h"

namespace app {

void EndSessionTransfers(Console& c) {
  auto& st = c.st;
  st.SaveBulkPending = false;
  if (frmReadout* readout = c.IfLoaded<frmReadout>()) readout->Hide();
  st.WriteData.clear();
  st.WriteCancelled = false;
  c.Unload<frmSendProgress>();
  if (st.BulkWriteActive) unit::StopBulkWrite(c);
}

}  // namespace app
