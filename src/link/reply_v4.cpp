#include <string>
#include <string_view>

#include "app/console.h"
#include "app/frm_main.h"
#include "app/frm_message.h"
#include "app/frm_prog_bar.h"
#include "app/frm_readout.h"
#include "app/typed_file_save.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_table.h"
#include "link/reply_handlers.h"
#include "link/status_parsers.h"
#include "link/v4_link.h"
#include "link/v4_packet.h"
#include "unit/frm_install.h"
#include "unit/parameter_writes.h"

namespace lnk {

namespace {

constexpr int kV4RetryLimit = 5;

bool DecodeReply(app::Console& c) { return DecodeV4Packet(c.st.RxBuffer, c.st.PacketBuf); }

// Whether a good packet answers the request in flight. A write is answered
// by its acknowledgement, which repeats the write's "S", count and address;
// a dump request by the dump packet, whose length field the packet holds.
// What the other acknowledgements hold is the unit's: any good packet will do.
bool Answers(std::string_view request, std::string_view content) {
  if (!request.empty() && request[0] == 'S') return content.substr(0, 4) == request.substr(0, 4);
  if (request == "D") {
    if (content.size() < 2) return false;
    const std::size_t length = static_cast<unsigned char>(content[0]) * 256U +
                               static_cast<unsigned char>(content[1]);
    return length + 2 <= content.size();
  }
  return true;
}

// The reply to the request in flight, taken out of what arrived. A packet
// that answers an earlier request (its answer came after the request was
// given up on and sent again) is no answer to this one: it is dropped, and
// the wait goes on for the right one.
V4ReplyMatch TakeAnswer(app::Console& c, std::string_view request) {
  auto& st = c.st;
  const V4ReplyMatch match = FindV4Answer(
      st.RxBuffer, [request](std::string_view content) { return Answers(request, content); },
      st.PacketBuf);
  if (match == V4ReplyMatch::kOtherAnswers) st.RxBuffer.clear();
  return match;
}

}  // namespace

void OnV4DumpReply(app::Console& c) {
  auto& st = c.st;
  const V4ReplyMatch match = TakeAnswer(c, "D");
  if (match == V4ReplyMatch::kOtherAnswers) return;
  if (match == V4ReplyMatch::kNoAnswer) {
    if (++st.V4RetryCount >= kV4RetryLimit) {
      st.SaveBulkPending = false;  // the save waited for this packet
      c.rt.MsgBox("EEPROM download failed on 5 retries.", ui::vbOKOnly, app_info::kTitle);
      c.Get<app::frmReadout>().Hide();
      c.Get<unit::frmInstall>().cmdUpdate.Enabled = false;
      return EndReply(c);
    }
    // Asked again on the link in use: a lone CR first clears a serial
    // unit's input; a network unit gets the request alone.
    if (!st.UseTcp && c.MSComm1.PortOpen()) c.MSComm1.Output("\r");
    if (st.UseTcp || c.MSComm1.PortOpen()) SendV4Packet(c, st.UnitAddress, "D");
    return;
  }
  c.Get<app::frmReadout>().Hide();
  st.StatusPacket = st.PacketBuf;
  if (st.SaveBulkPending) {
    st.SaveBulkPending = false;
    app::SaveUnderTypedName(c, "Please enter a filename to save bulk data (no extension):",
                            "Save Status", c.st.PacketBuf + "\r\n");
  }
  ShowDumpPacket(c);
  auto& install = c.Get<unit::frmInstall>();
  install.cmdUpdate.Enabled = true;
  if (!install.Visible()) c.Get<app::frmMain>().ShowStatus(false, true);
}

void OnV4ClockReply(app::Console& c) {
  auto& st = c.st;
  if (DecodeReply(c)) {
    auto& install = c.Get<unit::frmInstall>();
    for (int i = 0; i <= 6; ++i)
      if (auto* button = install.cmdSendDate.Find(i)) button->Visible = false;
    c.Get<app::frmMessage>().Show();
    return FinishReply(c);
  }
  if (++st.V4RetryCount >= kV4RetryLimit) return EndReply(c);
  SendV4Packet(c, st.UnitAddress, st.ClockPacket);
}

void OnV4WriteReply(app::Console& c) {
  auto& st = c.st;
  // Every packet, a bulk write's too, must be acknowledged by its own
  // acknowledgement; it is sent again up to four times.
  const V4ReplyMatch match = TakeAnswer(c, st.PacketOut);
  if (match == V4ReplyMatch::kOtherAnswers) return;
  if (match == V4ReplyMatch::kNoAnswer) {
    if (++st.V4RetryCount >= kV4RetryLimit) {
      EndReply(c);
      if (st.BulkWriteActive) unit::StopBulkWrite(c);
      return;
    }
    SendV4Packet(c, st.UnitAddress, st.PacketOut);
    return;
  }
  if (!st.BulkWriteActive) {
    c.Get<app::frmMessage>().Show();
    FinishReply(c);
    return unit::ReadBackEqualisation(c);
  }
  if (st.WriteCursor >= st.WriteEnd) {
    // The last acknowledgement ends the command: left running, the loop's
    // next deadline would hand the same reply over again.
    st.BulkWriteActive = false;
    c.Unload<app::frmProgBar>();
    return FinishReply(c);
  }
  auto& bar = c.Get<app::frmProgBar>().pbProgress;
  if (bar.Value() + 4 <= bar.Max()) bar.Value = bar.Value() + 4;
  st.WriteCursor += 4;
  st.CmdState = kV4Write;
  st.RetryCount = 0;
  st.AutoNext = false;
  st.WriteData = vb::Mid(st.EepromImage, st.WriteCursor + 3, 4);
  st.WriteAddress = st.WriteCursor;
  unit::SendSetParameter(c);
}

void OnV4ResetReply(app::Console& c) {
  if (DecodeReply(c)) {
    c.Get<app::frmMessage>().Show();
    return FinishReply(c);
  }
  EndReply(c);
}

}  // namespace lnk
