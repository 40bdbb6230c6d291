// A started console with the shipped map (800 x 600 pixels: 12000 x 9000
// twips) shown at exactly its own size, so form units equal bitmap units,
// and sites placed on it at will.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "console_harness.h"
#include "gtest_operator.h"
#include "site_rows.h"
#include "sites/frm_map.h"

namespace sitetest {

class MapSites : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
    Map().Show();
    Map().Move(0, 0, 12000, 9000);
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  sites::frmMap& Map() { return h.console.Get<sites::frmMap>(); }
  testkit::ScriptedOperator& Op() { return h.rt.Operator(); }
  std::string Field(std::int32_t id, const char* column) {
    return testkit::SiteField(h.console, id, column);
  }
  std::int32_t Add(const std::string& name, double lat, double lon, int color = 0, int map = 0,
                   const std::string& phone = "5550100", int site_num = 12) {
    const std::int32_t id = testkit::AddSite(h.console, {name, phone, site_num, 1000 + site_num, map});
    EXPECT_FALSE(h.console.Db.Execute(
        "UPDATE tSites SET SiteLatMin=?, SiteLonMin=?, SiteColor=? WHERE SiteID=?",
        {lat, lon, color, id}));
    return id;
  }

  testkit::ConsoleHarness h;
};

}  // namespace sitetest
