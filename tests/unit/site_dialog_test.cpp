// The site dialog (adding and editing a site) and the site directory.
#include <functional>
#include <string>
#include <vector>

#include "app/frm_connection.h"
#include "app/frm_main.h"
#include "link/settings_access.h"
#include "map_sites_fixture.h"
#include "sites/frm_site.h"

namespace {

class SiteDialog : public sitetest::MapSites {
 protected:
  // Opens the dialog as the site menu does; `fill` plays the operator.
  void Open(bool adding, std::int32_t id, const std::function<void(sites::frmSite&)>& fill) {
    h.console.st.AddingSite = adding;
    h.console.st.SelectedSiteID = id;
    Op().OnModal("frmSite", [fill](ui::Form& f) { fill(static_cast<sites::frmSite&>(f)); });
    h.console.Get<sites::frmSite>().Show(true);
  }
  std::int32_t LastId() {
    return h.console.Db.OpenRecordset("SELECT max(SiteID) AS Id FROM tSites").Field("Id").ToLong();
  }
};

TEST_F(SiteDialog, ANewSiteGoesToTheMiddleOfTheMapShownWithoutCallout) {
  Map().SetCurrentMapID(3);
  Open(true, 0, [](sites::frmSite& d) {
    EXPECT_EQ(d.txtSiteName.Text(), "New Site");
    d.txtSiteNum.Text = "40000";
    d.optConn[1].Press();
    d.cmbComm.UserSelect(15);  // "16"
    d.cmdOK.Press();
  });
  const std::int32_t id = LastId();
  for (const auto& [column, value] :
       {std::pair{"SiteLatMin", "500"}, {"SiteLonMin", "500"}, {"AHResetTime", "3"},
        {"CallOut", "False"}, {"SiteNum", "-25536"}, {"SitePhone", "16"}, {"SiteName", "New Site"}})
    EXPECT_EQ(Field(id, column), value) << column;
  Open(false, id, [](sites::frmSite& d) {
    EXPECT_EQ(d.txtSiteNum.Text(), "40000");
    EXPECT_TRUE(d.optConn[1].Value());
    d.cmdCancel.Press();
  });
}

TEST_F(SiteDialog, EditingKeepsCalloutAddressAndPlaceButMovesTheSiteToTheMapShown) {
  for (const char* phone : {"~10.1.2.3", "5550199"}) {
    const std::int32_t id = Add("Kept", 250, 750, 0, 0, phone);
    ASSERT_FALSE(h.console.Db.Execute("UPDATE tSites SET CallOut=1 WHERE SiteID=?", {id}));
    Map().SetCurrentMapID(2);
    Open(false, id, [](sites::frmSite& d) {
      d.txtSitePhone.Text = "";  // a modem site's box emptied: its number stays
      d.cmdOK.Press();
    });
    for (const auto& [column, value] : {std::pair{"SitePhone", phone}, {"CallOut", "True"},
                                        {"SiteLatMin", "250"}, {"AHResetTime", "2"}})
      EXPECT_EQ(Field(id, column), value) << phone << " " << column;
  }
}

TEST_F(SiteDialog, ASpinnerArrowStoresThePositionBoxesWithinTheCoordinateBounds) {
  const std::int32_t id = Add("Spun", 250, 750);
  Open(false, id, [](sites::frmSite& d) {
    d.UpDown2.Value = 45;
    for (int i = 0; i < 7; ++i) d.UpDown1.PressUp();  // to 57 degrees: at most 00 minutes
    EXPECT_EQ(d.txtLonSec.Text(), "0");
    d.UpDown4.Value = 10;
    d.UpDown3.PressUp();
    d.UpDown3.PressDown();  // back at 22 degrees, where the minutes start at 35
    EXPECT_EQ(d.txtLatSec.Text(), "35");
    d.UpDown4.Value = 20;
    EXPECT_EQ(d.UpDown4.Value(), 35);
    d.cmdOK.Press();
  });
  EXPECT_EQ(Field(id, "SiteLatMin"), "22");
  EXPECT_EQ(Field(id, "SiteLonMin"), "57");
}

TEST_F(SiteDialog, ASiteNumberThatIsNoCleanNumberIsRefusedAndNothingStored) {
  const std::int32_t id = Add("Strict", 500, 500);
  const std::pair<const char*, const char*> cases[] = {
      {"", "You must enter a site number."},
      {"0", "You must enter a site number."},
      {"abc", "You must enter a site number."},
      {"12abc", "The site number must be a whole number from 0 to 65535."},
      {"70000", "The site number must be a whole number from 0 to 65535."}};
  Open(false, id, [&](sites::frmSite& d) {
    for (const auto& [typed, message] : cases) {
      d.txtSiteNum.Text = typed;
      Op().ExpectMsgBox(message, ui::vbOK, "VKX-4700");
      d.cmdOK.Press();
      EXPECT_TRUE(d.Visible()) << typed;
    }
    d.cmdCancel.Press();
  });
  EXPECT_EQ(Field(id, "SiteNum"), "12");
}

// ---- the site directory ---------------------------------------------------------

TEST_F(SiteDialog, TheDirectoryListsEverySiteAndSelectsAndRemovesThem) {
  const std::int32_t north = Add("North", 500, 500, 0, 0, "~127.0.0.1", 7);
  const std::int32_t bare = Add("", 400, 400);
  ASSERT_FALSE(h.console.Db.Execute(
      "UPDATE tSites SET SiteName=NULL, SitePhone=NULL, CallOut=1 WHERE SiteID=?", {bare}));
  testkit::SelectSite(h.console, bare, {});
  auto& dir = h.console.Get<app::frmConnection>();
  dir.Show();
  ASSERT_EQ(dir.lstDirectory.Count(), 2);
  const ui::ListItem& row = dir.lstDirectory.Item(2);
  EXPECT_EQ(row.key, "k " + std::to_string(bare));
  EXPECT_EQ(row.text, "");
  EXPECT_EQ(row.sub_items, (std::vector<std::string>{"", "Enabled"}));
  EXPECT_EQ(dir.lstDirectory.Item(1).sub_items[1], "Disabled");
  EXPECT_EQ(dir.lstDirectory.SelectedIndex(), 2) << "the selected site's row";

  dir.lstDirectory.UserClick(1);
  EXPECT_EQ(h.console.st.SelectedSiteID, north);
  EXPECT_EQ(h.console.st.SelectedSiteName, "North");
  EXPECT_EQ(h.console.st.SelectedSiteNum, 7);
  Op().ExpectMsgBox("Are you sure you want to delete this site?", ui::vbYes, "Confirm site removal");
  dir.cmdRemove.Press();
  EXPECT_EQ(Field(north, "SiteName"), "");
  EXPECT_EQ(h.console.st.SelectedSiteID, 0);
  EXPECT_FALSE(dir.IsLoaded());

  dir.Show();
  dir.cmdRemove.Press();  // nothing selected: nothing asked
  Op().ExpectMsgBox(
      "First select a site to view properties.\r\nYou may select a site by left-clicking it on "
      "the map.",
      ui::vbOK, "VKX-4700");
  dir.cmdProperties.Press();
}

// Centred over the main window wherever it stands; Add Site and Properties
// open the site dialog (Add closes the directory after it); the window's
// place is kept in the settings.
TEST_F(SiteDialog, TheDirectoryOpensTheSiteDialogAndKeepsItsPlace) {
  const std::int32_t id = Add("North", 500, 500);
  auto& main = h.console.Get<app::frmMain>();
  main.Move(1200, 600, 15000, 11000);
  auto& dir = h.console.Get<app::frmConnection>();
  dir.Show();
  EXPECT_EQ(dir.Left(), 1200 + (15000 - 240 - dir.Width()) / 2);
  EXPECT_EQ(dir.Top(), 600 + (11000 - 1980 - dir.Height()) / 2);
  dir.Move(700, 800);
  dir.cmdSavePos.Press();
  EXPECT_EQ(lnk::SettingText(h.console, "frmConnection.Left") + " " +
                lnk::SettingText(h.console, "frmConnection.Top"),
            "700 800");

  std::vector<std::string> opened;
  const auto look = [&](ui::Form& f) {
    opened.push_back(h.console.st.AddingSite ? "adding" : "editing");
    static_cast<sites::frmSite&>(f).cmdCancel.Press();
  };
  Op().OnModal("frmSite", look).OnModal("frmSite", look);
  testkit::SelectSite(h.console, id, {"North"});
  dir.cmdProperties.Press();
  EXPECT_TRUE(dir.IsLoaded());
  dir.cmdAdd.Press();
  EXPECT_FALSE(dir.IsLoaded());
  EXPECT_EQ(opened, (std::vector<std::string>{"editing", "adding"}));
}

// A removal the database refuses, from either road, is told and leaves the
// site, its selection and the directory as they were; once the database
// takes writes again the same removal goes through.
TEST_F(SiteDialog, ARemovalTheDatabaseRefusesKeepsTheSiteAndTheSelection) {
  const std::string path = h.folder.FilePath("Dozur.mdb");
  ASSERT_FALSE(h.console.Db.Execute("PRAGMA busy_timeout=50"));
  auto other = platform::Database::Open(path);
  ASSERT_TRUE(other.ok()) << other.error;
  const struct {
    const char* refusal;
    const char* start;  // makes the database refuse
    const char* end;    // and take writes again
    platform::Database* on;
  } refusals[] = {{"locked by another program", "BEGIN EXCLUSIVE", "ROLLBACK", &other.db},
                  {"read-only", "PRAGMA query_only=1", "PRAGMA query_only=0", &h.console.Db}};
  const struct {
    const char* road;
    bool directory;
  } roads[] = {{"directory", true}, {"menu", false}};
  auto& dir = h.console.Get<app::frmConnection>();
  auto& main = h.console.Get<app::frmMain>();
  for (const auto& r : refusals) {
    for (const auto& road : roads) {
      const std::string what = std::string(r.refusal) + " / " + road.road;
      const std::int32_t id = Add("Kept", 500, 500);
      testkit::SelectSite(h.console, id, {});
      if (road.directory) dir.Show();
      ASSERT_FALSE(r.on->Execute(r.start)) << what;
      Op().ExpectMsgBox("Are you sure you want to delete this site?", ui::vbYes,
                        "Confirm site removal")
          .ExpectMsgBox("~The site could not be removed: ", ui::vbOK, "VKX-4700");
      road.directory ? dir.cmdRemove.Press() : main.mnuRemoveSite.Choose();
      EXPECT_EQ(h.console.st.SelectedSiteID, id) << what;
      EXPECT_EQ(dir.IsLoaded() && dir.Visible(), road.directory) << what;
      ASSERT_FALSE(r.on->Execute(r.end)) << what;
      EXPECT_EQ(Field(id, "SiteName"), "Kept") << what;

      Op().ExpectMsgBox("Are you sure you want to delete this site?", ui::vbYes,
                        "Confirm site removal");
      road.directory ? dir.cmdRemove.Press() : main.mnuRemoveSite.Choose();
      EXPECT_EQ(Field(id, "SiteName"), "") << what;
      EXPECT_EQ(h.console.st.SelectedSiteID, 0) << what;
      EXPECT_FALSE(dir.IsLoaded()) << what;
    }
  }
}

}  // namespace
