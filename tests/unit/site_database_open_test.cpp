// Opening "Dozur.mdb": a new file gets the tables, an unusable one is
// refused with a message naming it and the reason, and is never touched.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/program_folder.h"
#include "site_database_fixture.h"

namespace {

using sitetest::SqliteCli;

std::string Bytes(const std::string& path) { return platform::ReadWholeFile(path).value_or("<none>"); }

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The message of OpenSiteDatabase, or "" when it opened. When the tests run
// as root, file permissions bind nobody, so the open runs in a child process
// that has given its rights up.
std::string OpenMessageAsOrdinaryUser(const std::string& path) {
  if (::geteuid() != 0) return sites::OpenSiteDatabase(path).error;
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) return "pipe failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe_fds[0]);
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    const std::string message = sites::OpenSiteDatabase(path).error;
    const ssize_t written = ::write(pipe_fds[1], message.data(), message.size());
    ::_exit(written == static_cast<ssize_t>(message.size()) ? 0 : 1);
  }
  ::close(pipe_fds[1]);
  std::string message;
  char buffer[512];
  ssize_t n = 0;
  while ((n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0) message.append(buffer, static_cast<std::size_t>(n));
  ::close(pipe_fds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return message;
}

TEST(SiteDatabaseOpen, MissingFileIsCreatedWithBothTablesAndTheLogIndex) {
  SKIP_WITHOUT_SQLITE_CLI();
  testkit::TempFolder folder;
  const std::string path = folder.File("Dozur.mdb");
  const auto opened = sites::OpenSiteDatabase(path);
  ASSERT_TRUE(opened.ok()) << opened.error;
  EXPECT_EQ(SqliteCli(path, "SELECT type, name FROM sqlite_master WHERE name LIKE 't%' ORDER BY name"),
            "table|tData\nindex|tDataSiteDate\ntable|tSites\n");
  EXPECT_EQ(SqliteCli(path, "SELECT group_concat(name || ' ' || type, ', ') FROM pragma_table_info('tSites')"),
            "SiteID INTEGER, SiteName TEXT, SitePhone TEXT, SiteNum SMALLINT, SiteCustNum INTEGER, "
            "CallOut BOOLEAN, SiteLatMin DOUBLE, SiteLatSec DOUBLE, SiteLonMin DOUBLE, "
            "SiteLonSec DOUBLE, SiteColor SMALLINT, Alarms TEXT, ConnectLog TEXT, AHResetTime INTEGER\n");
  EXPECT_EQ(SqliteCli(path, "SELECT group_concat(name, ',') FROM pragma_index_info('tDataSiteDate')"),
            "SiteNum,DataDate\n");
  auto rs = opened.db.OpenRecordset("tSites");
  EXPECT_TRUE(rs.Eof());
  EXPECT_EQ(rs.Error(), "");
}

TEST(SiteDatabaseOpen, ExistingSiteDatabaseKeepsItsRows) {
  testkit::TempFolder folder;
  const std::string path = folder.File("Dozur.mdb");
  {
    auto first = sites::OpenSiteDatabase(path);
    ASSERT_TRUE(first.ok()) << first.error;
    ASSERT_FALSE(first.db.Execute("INSERT INTO tSites (SiteName) VALUES ('Kept')"));
  }
  auto again = sites::OpenSiteDatabase(path);
  ASSERT_TRUE(again.ok()) << again.error;
  EXPECT_EQ(again.db.OpenRecordset("tSites").Field("SiteName").ToText(), "Kept");
}

TEST(SiteDatabaseOpen, EmptyFileBecomesTheSiteDatabase) {
  testkit::TempFolder folder;
  const std::string path = folder.File("Dozur.mdb");
  Write(path, "");
  const auto opened = sites::OpenSiteDatabase(path);
  ASSERT_TRUE(opened.ok()) << opened.error;
  EXPECT_TRUE(opened.db.OpenRecordset("tData").IsOpen());
}

TEST(SiteDatabaseOpen, FileThatIsNotADatabaseIsRefusedUntouched) {
  testkit::TempFolder folder;
  const std::string path = folder.File("Dozur.mdb");
  // For example the old console's own database file.
  std::string jet(4096, '\0');
  jet.replace(4, 15, "Standard Jet DB");
  for (const std::string& content : {jet, std::string("not a database\r\n")}) {
    Write(path, content);
    const auto opened = sites::OpenSiteDatabase(path);
    EXPECT_FALSE(opened.db.IsOpen());
    EXPECT_EQ(opened.error, "Cannot open the site database \"" + path +
                                "\": the file is not an SQLite database.");
    EXPECT_EQ(Bytes(path), content);
  }
}

TEST(SiteDatabaseOpen, DatabaseOfAnotherProgramIsRefusedUntouched) {
  SKIP_WITHOUT_SQLITE_CLI();
  testkit::TempFolder folder;
  const std::string path = folder.File("Dozur.mdb");
  SqliteCli(path, "CREATE TABLE Orders (Id INTEGER)");
  const std::string before = Bytes(path);
  const auto opened = sites::OpenSiteDatabase(path);
  EXPECT_EQ(opened.error,
            "Cannot open the site database \"" + path + "\": the file holds no table tSites.");
  EXPECT_EQ(Bytes(path), before);
}

TEST(SiteDatabaseOpen, ReadOnlyFileIsRefusedUntouched) {
  testkit::TempFolder folder;
  const std::string path = folder.File("Dozur.mdb");
  ASSERT_TRUE(sites::OpenSiteDatabase(path).ok());
  const std::string before = Bytes(path);
  ::chmod(path.c_str(), 0444);
  ::chmod(folder.Path().c_str(), 0555);
  const std::string message = OpenMessageAsOrdinaryUser(path);
  ::chmod(folder.Path().c_str(), 0700);
  EXPECT_EQ(message, "Cannot open the site database \"" + path + "\": the file is read-only.");
  EXPECT_EQ(Bytes(path), before);
}

TEST(SiteDatabaseOpen, ReadOnlyFolderIsRefusedBeforeAnyWrite) {
  testkit::TempFolder folder;
  const std::string path = folder.File("Dozur.mdb");
  ::chmod(folder.Path().c_str(), 0555);
  const std::string message = OpenMessageAsOrdinaryUser(path);
  ::chmod(folder.Path().c_str(), 0700);
  EXPECT_EQ(message, "Cannot open the site database \"" + path + "\": the folder \"" +
                         folder.Path() +
                         "\" cannot be written (the database keeps its journal beside the file).");
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SiteDatabaseOpen, MissingFolderIsRefusedAndNotCreated) {
  testkit::TempFolder folder;
  const std::string missing = folder.File("no-such-folder");
  const std::string path = missing + "/Dozur.mdb";
  const auto opened = sites::OpenSiteDatabase(path);
  EXPECT_EQ(opened.error, "Cannot open the site database \"" + path + "\": the folder \"" +
                              missing + "\" does not exist.");
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(SiteDatabaseOpen, FileLockedByAnotherProgramIsRefusedUntilReleased) {
  testkit::TempFolder folder;
  const std::string path = folder.File("Dozur.mdb");
  ASSERT_TRUE(sites::OpenSiteDatabase(path).ok());
  auto other = platform::Database::Open(path);
  ASSERT_TRUE(other.ok()) << other.error;
  ASSERT_FALSE(other.db.Execute("BEGIN EXCLUSIVE"));
  const std::string before = Bytes(path);
  const auto locked = sites::OpenSiteDatabase(path, 50);
  EXPECT_EQ(locked.error, "Cannot open the site database \"" + path +
                              "\": the database is locked by another program.");
  EXPECT_EQ(Bytes(path), before);
  ASSERT_FALSE(other.db.Execute("ROLLBACK"));
  EXPECT_TRUE(sites::OpenSiteDatabase(path, 50).ok());
}

TEST(SiteDatabaseOpen, FolderInPlaceOfTheFileIsRefused) {
  testkit::TempFolder folder;
  const std::string path = folder.File("Dozur.mdb");
  std::filesystem::create_directory(path);
  EXPECT_EQ(sites::OpenSiteDatabase(path).error,
            "Cannot open the site database \"" + path + "\": it is a folder, not a file.");
}

}  // namespace
