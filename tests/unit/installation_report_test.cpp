// The printed installation report: template lines placed at their columns,
// the values the fields name, the template chosen by the unit, and the
// document's end, left open or cancelled at shutdown.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/frm_main.h"
#include "console_harness.h"
#include "dump_loader.h"
#include "gtest_operator.h"
#include "unit/frm_install.h"
#include "unit/installation_report.h"

namespace {

class InstallationReport : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
    Screen().Show();
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  unit::frmInstall& Screen() { return h.console.Get<unit::frmInstall>(); }
  // Prints `report_template` as "Report.ini"; the first page as text.
  std::string Print(const std::string& report_template) {
    EXPECT_FALSE(h.folder.WriteFileAtomic("Report.ini", report_template));
    h.printer.documents.clear();
    Screen().cmdPrint.Press();
    if (h.printer.documents.empty()) return "(open)";
    return testkit::RecordingPrinter::PageText(h.printer.documents[0].pages.at(0));
  }

  testkit::ConsoleHarness h;
};

TEST_F(InstallationReport, FieldsPrintWhatTheScreenShowsAtTheirColumns) {
  h.console.st.UnitAddress = 4321;
  Screen().txtProp[75].Text = "12";
  Screen().txtProp[76].Text = "34";
  Screen().optAC[0].Value = true;
  Screen().SetLamp(Screen().imgPV1, true);
  Screen().imgHVA.Picture = Screen().imgRedOn.Picture();
  h.console.st.AlarmFlags = "1111";  // short: no alarm marker shows
  const struct {
    const char* line;
    const char* printed;
  } cases[] = {
      {"0[ADDRESS]", "4321"},
      {"10[*75]20[*76]", "          12        34"},
      {"2[OPTAC][OPTCALLOUT]", "  DisabledEnabled"},
      {"0[IMGPV1][IMGPV2][IMGHVA][IMGLVA][IMGLD1T]", "1-*-Disabled"},
      {"0[@3][@25]", "--"},
      {"0[Site][TXTSOLV][*999]", "Site-"},
      {"5[unclosed", "     unclosed"},
      {"12", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Print(std::string(c.line) + "\r\n0[END]\r\n"), std::string(c.printed) + "\n\n")
        << c.line;
}

TEST_F(InstallationReport, EndSendsTheDocumentAndWithoutItShutdownCancelsIt) {
  EXPECT_EQ(Print("0[A]5[PAGE][B]\r\n\r\n0[C][END][D]\r\n0[E]\r\n"), "A\n");
  ASSERT_EQ(h.printer.documents[0].pages.size(), 2u);
  EXPECT_EQ(testkit::RecordingPrinter::PageText(h.printer.documents[0].pages[1]), "B\n\nC\n");
  EXPECT_TRUE(h.console.st.PrintPending);
  EXPECT_FALSE(h.printer.DocumentOpen());

  h.console.st.PrintPending = false;
  EXPECT_EQ(Print("0[A]\r\n"), "(open)");
  EXPECT_TRUE(h.printer.DocumentOpen());
  EXPECT_FALSE(h.console.st.PrintPending);
  h.console.Get<app::frmMain>().UserClose();
  EXPECT_FALSE(h.printer.DocumentOpen());
  EXPECT_TRUE(h.printer.documents.empty()) << "cancelled, not printed";
}

TEST_F(InstallationReport, ShippedTemplatesEachFillOnePageOfTheirUnit) {
  ASSERT_EQ(testkit::LoadTextDump(h.console, testkit::PlainDump(testkit::SampleParameters())), "");
  h.console.st.UnitAddress = 4321;
  const struct {
    bool v4;
    int variant;
    const char* name;
  } cases[] = {{true, 14, "Report4.ini"}, {false, 14, "Report2.ini"},
               {false, 15, "Report3.ini"}, {false, 21, "Report.ini"}};
  for (const auto& c : cases) {
    h.console.st.V4Mode = c.v4;
    Screen().udProp[4].Value = c.variant;
    ASSERT_EQ(unit::ReportTemplateName(h.console), c.name);
    h.printer.documents.clear();
    Screen().cmdPrint.Press();
    ASSERT_EQ(h.printer.documents.size(), 1u) << c.name;
    ASSERT_EQ(h.printer.documents[0].pages.size(), 1u) << c.name;
    const std::string page = testkit::RecordingPrinter::PageText(h.printer.documents[0].pages[0]);
    EXPECT_NE(page.find("Unit address      4321"), std::string::npos) << page;
    EXPECT_NE(page.find(Screen().txtProp[27].Text()), std::string::npos) << c.name;
    EXPECT_EQ(page.find("TXT"), std::string::npos) << "every key known: " << page;
  }
  ASSERT_TRUE(std::remove(h.folder.FilePath("Report4.ini").c_str()) == 0);
  h.rt.Operator().ExpectMsgBox("~Report4.ini\" cannot be read; nothing was printed.");
  h.console.st.V4Mode = true;
  h.printer.documents.clear();
  Screen().cmdPrint.Press();
  EXPECT_TRUE(h.printer.documents.empty());
  EXPECT_FALSE(h.printer.DocumentOpen());
}

}  // namespace
