// Bytes on a line where no command runs, delivered through the port in
// pieces into the receive loop, with a whole call-in from unit 12 placed
// somewhere among them. Whatever comes, the loop keeps no more than a call
// can need, and the placed report opens its alarm window.
//
// Input: the piece size (first byte), where the report goes and whether it
// goes at all (second byte), then the line's bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/frm_alarm.h"
#include "fuzz_support.h"
#include "link/command_table.h"
#include "link/idle_text.h"
#include "link/receive_loop.h"
#include "alarm_windows.h"

namespace {

using testkit::Require;

constexpr const char* kReport = "Alarm Report\r\nSite: 12\r\nDate: 2/21\r\nTime: 14:30\r\n"
                                "Alarms: 0100000100000000\r\nNO CARRIER\r\n";

bool PlacedReportShown(app::Console& c) {
  for (const app::frmAlarm* w : testkit::AlarmWindows(c))
    if (w->txtSite.Text() == "12" && w->txtDate.Text() == "2 / 21" && w->txtTime.Text() == "14 : 30" &&
        w->lstAlarms.ListCount() == 2)
      return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  testkit::ConsoleHarness& h = testkit::FuzzHarness();
  app::Console& c = h.console;
  if (!h.serial.PortOpen()) Require(h.serial.SetPortOpen(true));
  c.st.CmdState = lnk::kIdle;
  c.st.RxText.clear();
  c.st.RxBuffer.clear();

  const std::size_t piece = 1 + static_cast<std::size_t>(data[0]) * 41;  // up to some 10 KB
  const bool placed = (data[1] & 1) != 0;
  std::string line(reinterpret_cast<const char*>(data + 2), size - 2);
  if (placed) line.insert(line.size() * (data[1] >> 1) / 127, kReport);

  std::size_t held = 0;
  std::int64_t at = 0;
  for (std::size_t from = 0; from < line.size(); from += piece, at += 2) {
    h.serial.Deliver(line.substr(from, piece), at);
    h.rt.After(at + 1, [&] { held = std::max(held, c.st.RxText.size()); });
  }
  h.rt.After(at + 1, [&] { c.st.StopReceive = true; });
  lnk::ReceiveLoop(c);

  Require(held <= lnk::kLongestCallIn && c.st.RxText.size() <= lnk::kLongestCallIn);
  Require(c.st.RxBuffer.empty());
  if (placed) Require(PlacedReportShown(c));
  // The operator closes the windows.
  for (ui::Form* form : c.AllForms())
    if (form->Name() == "frmAlarm" && form->IsLoaded()) form->Unload();
  return 0;
}
