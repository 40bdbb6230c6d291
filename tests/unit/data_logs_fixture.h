// A started console (2 March 2026) with one selected site, unit 12.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "console_harness.h"
#include "gtest_operator.h"
#include "site_rows.h"
#include "sites/log_columns.h"

namespace logtest {

class DataLogs : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ReportToGtest(h.rt);
    ASSERT_TRUE(h.Start());
    testkit::SelectSite(h.console, testkit::AddSite(h.console, site), site);
  }
  void TearDown() override { testkit::ExpectScriptDone(h.rt); }

  // A day with the battery extremes given and the other values 1 to 12.
  void AddDay(int date, double vbatt_max, double vbatt_min, int site_num = 12) {
    ASSERT_FALSE(h.console.Db.Execute("INSERT INTO tData VALUES (?, ?, ?, ?, 1, 2, 3, 4, 5, 6, 7, "
                                      "8, 9, 10, 11, 12)",
                                      {site_num, date, vbatt_max, vbatt_min}));
  }
  long Rows() {
    return h.console.Db.OpenRecordset("SELECT count(*) AS n FROM tData").Field("n").ToLong();
  }
  // Every stored day, oldest first: its key and its fourteen values, a line each.
  std::string StoredDays() {
    std::string days;
    auto rs = h.console.Db.OpenRecordset("SELECT * FROM tData ORDER BY DataDate");
    for (; !rs.Eof(); rs.MoveNext()) {
      days += rs.Field("DataDate").ToText();
      for (const char* column : sites::kLogValueColumns) days += " " + rs.Field(column).ToText();
      days += "\n";
    }
    return days;
  }
  testkit::ScriptedOperator& Op() { return h.rt.Operator(); }

  testkit::ConsoleHarness h;
  testkit::SiteRow site;
};

}  // namespace logtest
