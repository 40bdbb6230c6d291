#include <gtest/gtest.h>

#include <algorithm>

#include "console_harness.h"
#include "gtest_operator.h"
#include "link/settings_access.h"
#include "link/settings_file.h"
#include "link/startup.h"

namespace {

using lnk::SettingsTable;

TEST(SettingsFile, OnlyClosingLineLoadsNothingAndEveryLookupMisses) {
  SettingsTable t;
  ASSERT_FALSE(t.Load("***\r\n"));
  EXPECT_EQ(t.SettingCount, 0);
  EXPECT_EQ(t.Find("chkDemo"), 0);
  EXPECT_EQ(t.CurrentSetting, 0);
}

TEST(SettingsFile, ValueAndFlagFollowTheText) {
  SettingsTable t;
  ASSERT_FALSE(t.Load("[chkDemo]=1\r\n[AutoAnswer]=True\r\n[ModemBaud]=9600\r\n***\r\n"));
  const auto& demo = t.AppSettings[static_cast<size_t>(t.Find("chkDemo"))];
  EXPECT_EQ(demo.SettingValue, 1.0f);
  EXPECT_FALSE(demo.SettingFlag);
  const auto& answer = t.AppSettings[static_cast<size_t>(t.Find("AutoAnswer"))];
  EXPECT_EQ(answer.SettingValue, 0.0f);
  EXPECT_TRUE(answer.SettingFlag);
}

TEST(SettingsFile, ValueKeepsEverythingAfterTheFirstEqualsSign) {
  SettingsTable t;
  ASSERT_FALSE(t.Load("[ModemInit]=AT&F1 S0=0 X=1\r\n***\r\n"));
  t.Find("ModemInit");
  EXPECT_EQ(t.Current().SettingText, "AT&F1 S0=0 X=1");
  EXPECT_EQ(t.Current().SettingName, "ModemInit");
}

TEST(SettingsFile, DuplicateKeysLookUpTheLastAndBothAreWrittenBack) {
  SettingsTable t;
  ASSERT_FALSE(t.Load("[A]=1\r\n[B]=2\r\n[A]=3\r\n***\r\n"));
  EXPECT_EQ(t.Find("A"), 3);
  EXPECT_EQ(t.Save(), "[A]=1\r\n[B]=2\r\n[A]=3\r\n***\r\n");
}

TEST(SettingsFile, LoadThenSaveReproducesTheLinesAndIgnoresWhatFollowsTheEnd) {
  const std::string text = "[x]=\r\n[Long Name]= spaced value \r\n[n]=12.5\r\n***\r\n";
  SettingsTable t;
  ASSERT_FALSE(t.Load(text + "[after]=1\r\n"));
  EXPECT_EQ(t.SettingCount, 3);
  EXPECT_EQ(t.Save(), text);
}

TEST(SettingsFile, LinesWithoutBracketAreSkippedAndKeyWithoutEqualsKeepsEmptyValue) {
  SettingsTable t;
  ASSERT_FALSE(t.Load("garbage\n\n[NoValue]\n[k]=v\n***\n"));
  EXPECT_EQ(t.SettingCount, 2);
  EXPECT_EQ(t.Save(), "[NoValue]=\r\n[k]=v\r\n***\r\n");
}

TEST(SettingsFile, ConversionsKeepTheStoredFormInStep) {
  SettingsTable t;
  ASSERT_FALSE(t.Load("[n]=5\r\n[f]=False\r\n[t]=abc\r\n***\r\n"));
  t.Find("n");
  t.Current().SettingValue = 2.5f;
  t.SettingNumToText();
  EXPECT_EQ(t.Current().SettingText, "2.5");
  EXPECT_FALSE(t.Current().SettingFlag);
  t.Find("f");
  t.SettingBoolToText();
  EXPECT_EQ(t.Current().SettingText, "False");
  EXPECT_EQ(t.Current().SettingValue, 0.0f);
  t.Find("t");
  t.Current().SettingText = "True";
  t.SettingTextToNum();
  EXPECT_TRUE(t.Current().SettingFlag);
  EXPECT_EQ(t.Current().SettingValue, 0.0f);
}

TEST(SettingsFile, FailedLookupReadsEmptyEvenAfterAWriteIntoRecordZero) {
  SettingsTable t;
  ASSERT_FALSE(t.Load("***\r\n"));
  t.AppSettings[static_cast<size_t>(t.Find("x"))].SettingValue = 7;
  EXPECT_EQ(t.AppSettings[static_cast<size_t>(t.Find("x"))].SettingValue, 0.0f);
  EXPECT_EQ(t.Save(), "***\r\n");
}

TEST(SettingsFile, RefusesMissingEndAndMoreThanFiftySettings) {
  SettingsTable t;
  EXPECT_TRUE(t.Load("[a]=1\r\n"));
  std::string many;
  for (int i = 0; i < 51; ++i) many += "[k" + std::to_string(i) + "]=1\r\n";
  EXPECT_TRUE(t.Load(many + "***\r\n"));
  EXPECT_EQ(t.SettingCount, 0);
  std::string fifty;
  for (int i = 0; i < 50; ++i) fifty += "[k" + std::to_string(i) + "]=1\r\n";
  EXPECT_FALSE(t.Load(fifty + "***\r\n"));
  EXPECT_EQ(t.SettingCount, 50);
}

// A line break inside a record (a modem string pasted with its line ends)
// never reaches the file: the writer drops it, so every setting after it
// still loads. Files written before keep loading as they were.
TEST(SettingsFile, LineBreaksInsideARecordNeverReachTheFile) {
  const std::pair<std::string, std::string> cases[] = {
      {"AT&F1S0=0\r\n***\r\n", "AT&F1S0=0***"},
      {"555\n0199", "5550199"},
      {"a\rb\r\nc\n", "abc"},
      {"\r\n", ""},
      {"AT&F1S0=0", "AT&F1S0=0"},
  };
  for (const auto& [typed, stored] : cases) {
    SettingsTable t;
    ASSERT_FALSE(t.Load("[ModemInit]=x\r\n[chkDemo]=0\r\n[Cable\nPort]=2\r\n***\r\n"));
    t.Find("ModemInit");
    t.Current().SettingText = typed;
    t.SettingTextToNum();
    t.AppSettings[3].SettingName = "Cable\r\nPort";  // not from a file, but the writer holds
    const std::string file = t.Save();
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 4) << typed;
    SettingsTable again;
    ASSERT_FALSE(again.Load(file)) << typed;
    EXPECT_EQ(again.SettingCount, 3) << typed;
    EXPECT_EQ(again.AppSettings[1].SettingText, stored);
    EXPECT_EQ(again.AppSettings[2].SettingName + again.AppSettings[3].SettingName, "chkDemoCablePort");
  }
}

TEST(SettingsLookup, MissingKeyShowsTheMessageAndGivesRecordZero) {
  testkit::ConsoleHarness h;
  testkit::ReportToGtest(h.rt);
  ASSERT_FALSE(lnk::LoadSettings(h.console));
  h.rt.Operator().ExpectMsgBox("Setting 'NoSuchKey' not found.", ui::vbOK, "VKX-4700");
  EXPECT_EQ(lnk::FindSetting(h.console, "NoSuchKey"), 0);
  testkit::ExpectScriptDone(h.rt);
}

TEST(SettingsLookup, ShippedFileHoldsEveryKeyTheProgramReads) {
  testkit::ConsoleHarness h;
  testkit::ReportToGtest(h.rt);
  ASSERT_FALSE(lnk::LoadSettings(h.console));
  for (const char* key :
       {"ModemComPort", "ModemBaud", "ModemParity", "ModemDataBits", "ModemStopBits",
        "ModemFlowControl", "chkRTS", "ModemInit", "ModemRings", "ModemType", "AutoAnswer",
        "CableComPort", "CableBaud", "CableParity", "CableDataBits", "CableStopBits",
        "CableFlowControl", "chkEnableEOT", "chkDemo", "chkAutoCallout", "CalloutHour",
        "CalloutMinute", "optCalloutAllDays", "CalloutDays", "CalloutSunday", "CalloutMonday",
        "CalloutTuesday", "CalloutWednesday", "CalloutThursday", "CalloutFriday",
        "CalloutSaturday", "AutoUpdateSeconds", "chkAutoUpdate", "chkLowRes", "sTelephone",
        "frmConnection.Left", "frmConnection.Top", "frmInstall.Left", "frmInstall.Top",
        "frmProgress.Left", "frmProgress.Top"})
    EXPECT_NE(h.console.settings.Find(key), 0) << key;
}

TEST(SettingsStartup, BrokenOrMissingFileStopsStartUpAndIsLeftAlone) {
  for (const std::string& contents : {std::string("[a]=1\r\n"), std::string()}) {
    testkit::ConsoleHarness h;
    testkit::ReportToGtest(h.rt);
    std::string path = h.folder.FilePath("VKX1300.ini");
    if (contents.empty())
      std::remove(path.c_str());
    else
      ASSERT_FALSE(h.folder.WriteFileAtomic("VKX1300.ini", contents));
    h.rt.Operator().ExpectMsgBox("~VKX1300.ini");
    EXPECT_FALSE(h.Start());
    EXPECT_EQ(h.folder.ReadFile("VKX1300.ini").value_or(""), contents);
    testkit::ExpectScriptDone(h.rt);
  }
}

TEST(SettingsSave, WritesThroughATemporaryFileAndLeavesNoneBehind) {
  testkit::ConsoleHarness h;
  ASSERT_FALSE(lnk::LoadSettings(h.console));
  const std::string before = *h.folder.ReadFile("VKX1300.ini");
  h.console.settings.Find("sTelephone");
  h.console.settings.Current().SettingText = "555-0199\r\n***\r\n";  // pasted with line ends
  ASSERT_FALSE(lnk::SaveSettings(h.console));
  const std::string file = *h.folder.ReadFile("VKX1300.ini");
  EXPECT_NE(file.find("[sTelephone]=555-0199***\r\n"), std::string::npos);
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), std::count(before.begin(), before.end(), '\n'))
      << "no setting cut off";
  EXPECT_FALSE(h.folder.Exists("VKX1300.ini.tmp"));
}

}  // namespace

namespace {

TEST(SettingsFile, KeyHoldingAnEqualsSignSurvivesSaveAndLoad) {
  lnk::SettingsTable t;
  ASSERT_FALSE(t.Load("[a=b]=c\r\n***\r\n"));
  t.Find("a=b");
  EXPECT_EQ(t.Current().SettingText, "c");
  lnk::SettingsTable again;
  ASSERT_FALSE(again.Load(t.Save()));
  EXPECT_EQ(again.Save(), "[a=b]=c\r\n***\r\n");
}

}  // namespace
