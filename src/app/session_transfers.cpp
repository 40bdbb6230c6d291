#include "app/session_transfers.h"

#include "app/console.h"
#include "app/frm_readout.h"
#include "app/frm_send_progress.h"
#include "common/vb.h"
#include "link/command_table.h"
#include "link/v4_packet.h"
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

namespace {

bool ChangesTheUnit(int command) {
  switch (command) {
    case lnk::kMemoryReset:
    case lnk::kDatalogReset:
    case lnk::kEqualize:
    case lnk::kClock:
    case lnk::kCounterReset:
    case lnk::kV4Clock:
    case lnk::kV4Write:
    case lnk::kV4Reset: return true;
    default: return false;
  }
}

}  // namespace

std::string UnfinishedCommandNotice(Console& c) {
  auto& st = c.st;
  if (st.CmdState == lnk::kSetParameter) {
    if (st.WriteCancelled) return "";
    // A reply already in (its handler not yet run) acknowledged the byte in
    // flight; the bar counts the bytes acknowledged before it.
    const int answered = st.RxBuffer.empty() ? 0 : 1;
    int total = 1;
    int acknowledged = answered;
    if (!st.WriteData.empty()) {
      if (const frmSendProgress* progress = c.IfLoaded<frmSendProgress>()) {
        total = progress->ProgressBar1.Max();
        acknowledged = progress->ProgressBar1.Value() + answered;
      }
    }
    if (acknowledged >= total) return "";
    return "The link ended before the write was finished: the unit acknowledged " +
           vb::CStr(acknowledged) + " of " + vb::CStr(total) + " bytes.";
  }
  // A bulk write tells its own count of acknowledged packets.
  if (st.CmdState == lnk::kV4Write && st.BulkWriteActive) return "";
  if (!ChangesTheUnit(st.CmdState)) return "";
  std::string decoded;
  const bool packet = st.CmdState >= lnk::kV4Dump;
  if (packet ? lnk::DecodeV4Packet(st.RxBuffer, decoded) : !st.RxBuffer.empty()) return "";
  return "The link ended before the unit acknowledged the command; it may not have been "
         "carried out.";
}

}  // namespace app
