// Fuzzes the reply handlers that read a reply as a whole: the modem's
// answer to a dial, a byte write's acknowledgement, the site log and the V4
// acknowledgements. The first byte picks the handler; the rest is the reply.
//   dial:  "BUSY" anywhere never connects; "CONNECT" without it does; one of
//          the final failures ends the loop; anything else waits for more.
//   auto-answer set-up: a reply without "OK" in any case is told as a failure,
//          one with it is not.
//   write: each acknowledgement takes exactly one byte off what is left, and
//          the next command writes the next byte at the next address.
//   site log: the file saved holds the reply exactly, then CR LF.
//   V4: a reply is taken exactly when it decodes; one that does not counts
//          as a failed try.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/frm_message.h"
#include "common/vb.h"
#include "fuzz_support.h"
#include "link/command_table.h"
#include "link/reply_handlers.h"
#include "link/v4_packet.h"

using testkit::Require;

namespace {

void Dial(testkit::ConsoleHarness& h, const std::string& reply) {
  auto& st = h.console.st;
  st.Online = st.SessionConnected = st.StopReceive = st.AutoNext = st.CalloutActive = false;
  st.SessionLogStored = false;
  st.DialGiveUpMs = 0;
  st.CmdState = lnk::kDial;
  st.RxBuffer = reply;
  const std::string upper = vb::UCase(reply);
  const bool busy = upper.find("BUSY") != std::string::npos;
  const bool connect = !busy && upper.find("CONNECT") != std::string::npos;
  bool failed = false;
  for (const char* word : {"NO CARRIER", "NO ANSWER", "NO DIALTONE", "NO DIAL TONE", "ERROR"})
    failed = failed || upper.find(word) != std::string::npos;
  // The session's first window is shown modally; the operator closes it.
  if (connect) h.rt.Operator().OnModal("frmEstablish", [](ui::Form& f) { f.Hide(); });
  lnk::OnDialReply(h.console);
  Require(st.Online == connect);
  if (busy) Require(st.SessionLogStored && !st.AutoNext);
  else if (!connect && failed) Require(st.StopReceive && st.CmdState == lnk::kIdle);
  else if (!connect) Require(st.AutoNext && !st.StopReceive);
  st.Online = false;
}

void AutoAnswer(testkit::ConsoleHarness& h, const std::string& reply) {
  auto& st = h.console.st;
  st.CmdState = lnk::kAutoAnswerInit;
  st.AutoNext = false;
  st.RxBuffer = reply;
  const bool ok = vb::UCase(reply).find("OK") != std::string::npos;
  // A box not expected stops the run (see FuzzHarness).
  if (!ok) h.rt.Operator().ExpectMsgBox("Failed to receive 'OK' response from modem.");
  lnk::OnAutoAnswerReply(h.console);
  Require(h.rt.Operator().Unmet().empty());
  Require(st.CmdState == lnk::kIdle);
}

void WriteAck(app::Console& c, const std::string& rest) {
  auto& st = c.st;
  const std::size_t cut = rest.empty() ? 0 : static_cast<unsigned char>(rest[0]) % 8;
  const std::string left = rest.substr(rest.empty() ? 0 : 1, cut);
  st.WriteData = left;
  st.WriteAddress = 100;
  st.WriteCancelled = true;  // no box of success to close
  st.CmdState = lnk::kSetParameter;
  st.RxBuffer = rest;
  lnk::OnWriteByteReply(c);
  if (left.size() < 2) {
    Require(st.WriteData.empty());
    return;
  }
  Require(st.WriteData == left.substr(1));
  Require(st.WriteAddress == 101);
  Require(c.cmd.Cmd[lnk::kSetParameter] ==
          "Ss101" + vb::Format(static_cast<unsigned char>(left[1]), "000"));
}

void SiteLog(testkit::ConsoleHarness& h, const std::string& reply) {
  auto& st = h.console.st;
  st.CmdState = lnk::kSiteLog;
  st.AutoNext = false;
  st.RxBuffer = reply;
  h.rt.Operator().ExpectInputBox("Enter a filename for this data (no extension):", "sitelog");
  lnk::OnSiteLogReply(h.console);
  Require(h.folder.ReadFile("sitelog.vkx") == reply + "\r\n");
}

void V4Ack(app::Console& c, const std::string& reply, bool reset) {
  auto& st = c.st;
  std::string packet;
  const bool decodes = lnk::DecodeV4Packet(reply, packet);
  c.Unload<app::frmMessage>();
  st.CmdState = reset ? lnk::kV4Reset : lnk::kV4Write;
  st.BulkWriteActive = false;
  st.V4RetryCount = 4;  // the last try: a failure ends the command, nothing is sent
  st.RxBuffer = reply;
  if (reset)
    lnk::OnV4ResetReply(c);
  else
    lnk::OnV4WriteReply(c);
  const auto* message = c.IfLoaded<app::frmMessage>();
  Require((message != nullptr && message->Visible()) == decodes);
  if (!reset) Require(st.V4RetryCount == (decodes ? 4 : 5));
  c.Unload<app::frmMessage>();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  testkit::ConsoleHarness& h = testkit::FuzzHarness();
  const std::string reply(reinterpret_cast<const char*>(data + 1), size - 1);
  switch (data[0] % 6) {
    case 0: Dial(h, reply); break;
    case 1: WriteAck(h.console, reply); break;
    case 2: SiteLog(h, reply); break;
    case 3: V4Ack(h.console, reply, true); break;
    case 4: V4Ack(h.console, reply, false); break;
    default: AutoAnswer(h, reply); break;
  }
  h.console.st.CmdState = lnk::kIdle;
  return 0;
}
