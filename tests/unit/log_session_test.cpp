// A text session on the cable downloads the unit's week of log days into
// tData (twice: the second adds nothing), saves the site log, and after the
// hang-up the Log button lists the days and the graph window draws them.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/frm_monitor.h"
#include "common/vb.h"
#include "data_logs_fixture.h"
#include "link/command_sender.h"
#include "link/command_table.h"
#include "simulated_site.h"
#include "sites/frm_graphs.h"
#include "sites/frm_log.h"

namespace logtest {
namespace {

TEST_F(DataLogs, TextSessionDownloadsTheWeekOnceListsAndGraphsIt) {
  testkit::SimulatedSite unit(h, sim::UnitConfig{.firmware = 30100, .address = 12});
  unit.AttachSerial(/*modem=*/false);
  auto& c = h.console;
  auto& main = c.Get<app::frmMain>();
  const char* prompt = "Enter a filename for this data (no extension):";
  h.rt.Operator().ExpectInputBox(prompt, "north week").ExpectInputBox(prompt, "");
  std::vector<long> rows;
  std::string caption;
  auto download = [&] {
    rows.push_back(Rows());
    c.st.CmdState = lnk::kLogPreamble;
    c.st.AutoNext = false;
    lnk::SendCommand(c);
    h.rt.After(1500, [&] { caption = c.Get<app::frmMonitor>().txtCaption.Text(); });
  };
  h.rt.After(60'000, download);
  h.rt.After(120'000, download);
  h.rt.After(180'000, [&] {
    rows.push_back(Rows());
    main.mnuDisconnect.Choose();
  });
  h.rt.After(190'000, [&] { c.st.StopReceive = true; });
  main.mnuDirect.Choose();

  EXPECT_EQ(rows, (std::vector<long>{0, 7, 7}));
  EXPECT_EQ(caption, "Downloading Log data...");
  EXPECT_EQ(unit.Unit().Commands(), (std::vector<std::string>{"D", "U", "V", "V", "L", "Pp", "V",
                                                              "L", "Pp"}));
  EXPECT_NE(c.folder.ReadFile("north week.vkx").value_or("").find("Site log 12"), std::string::npos);

  main.tbToolBar.Press("Log");
  const auto& list = c.Get<sites::frmLog>().lstLog;
  ASSERT_TRUE(c.Get<sites::frmLog>().Visible());
  EXPECT_EQ(c.Get<sites::frmLog>().txtSite.Text(), "North");
  const sim::DayRecord& yesterday = unit.Unit().Log().back();
  EXPECT_EQ(list.Item(2).sub_items[0], vb::CStr(yesterday.vbatt_max / 100.0));
  EXPECT_EQ(list.Item(9).sub_items[0], "n/a") << "eight days back";

  ui::ToolbarButton graphs_key(main.tbToolBar, 99);
  graphs_key.Key = "Graphs";
  main.tbToolBar_ButtonClick(graphs_key);
  auto& graphs = c.Get<sites::frmGraphs>();
  graphs.chkGraph[0].Press();
  int above_zero = 0;  // points of the week, drawn above the days without a record
  for (const auto& line : graphs.picGraph.Drawing().OfKind<ui::DrawLine>())
    above_zero += line.color == graphs.chkGraph[0].BackColor() &&
                  line.y2 < graphs.picGraph.ScaleHeight() - 600;
  EXPECT_EQ(above_zero, 7);
}

}  // namespace
}  // namespace logtest
