// A started console with one selected site (unit 12), and short ways to put
// log rows into tData and count them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "console_harness.h"
#include "gtest_operator.h"
#include "site_rows.h"

namespace logtest {

class DataLogs : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
    testkit::SelectSite(h.console, testkit::AddSite(h.console, site), site);
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  // A day of unit 12 (or another) with the battery extremes given and the
  // other twelve values 1 to 12.
  void AddDay(int date, double vbatt_max, double vbatt_min, int site_num = 12) {
    const auto error = h.console.Db.Execute(
        "INSERT INTO tData VALUES (?, ?, ?, ?, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12)",
        {site_num, date, vbatt_max, vbatt_min});
    ASSERT_FALSE(error) << *error;
  }
  long Rows() {
    return h.console.Db.OpenRecordset("SELECT count(*) AS n FROM tData").Field("n").ToLong();
  }

  testkit::ConsoleHarness h;  // 2 March 2026, 10:00
  testkit::SiteRow site;
};

}  // namespace logtest
