// The map catalogue "Maps.ini" and its dialogs, and the picture sizes the
// map is placed against.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "map_sites_fixture.h"
#include "platform/picture_file.h"
#include "platform/program_folder.h"
#include "sites/frm_select_map.h"
#include "sites/map_catalogue.h"

namespace {

using sites::MapLine;

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

class MapCatalogue : public sitetest::MapSites {
 protected:
  sites::frmSelectMap& Dialog(const std::string& catalogue) {
    EXPECT_FALSE(h.folder.WriteFileAtomic("Maps.ini", catalogue));
    h.console.Unload<sites::frmSelectMap>();
    auto& dialog = h.console.Get<sites::frmSelectMap>();  // lists the file as it is now
    dialog.Show();
    return dialog;
  }
  std::string Catalogue() { return h.folder.ReadFile("Maps.ini").value_or("(missing)"); }
};

// Ids beyond five digits are written whole and read whole, so each new map
// gets an id of its own there too.
TEST_F(MapCatalogue, AnAddedMapTakesTheIdAfterTheLargestListed) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "00001"},
      {Lines({MapLine("A", 1, "a.bmp"), MapLine("B", 5, "b.bmp")}), "00006"},
      {Lines({MapLine("Last", 99999, "l.bmp")}), "100000"},
      {Lines({MapLine("Last", 99999, "l.bmp"), MapLine("Beyond", 100000, "b.bmp")}), "100001"}};
  for (const auto& [before, id] : cases) {
    auto& dialog = Dialog(before);
    Op().ExpectFileDialog("/maps/dam.bmp");
    Op().ExpectInputBox("Please enter a description for this map:", "Dam");
    dialog.cmdAdd.Press();
    EXPECT_EQ(Catalogue(), before + "Dam\xFF" + id + "\xFE/maps/dam.bmp\r\n");
    EXPECT_EQ(dialog.lstMaps.List(dialog.lstMaps.ListCount() - 1), "Dam");
  }
}

// Two maps may carry one id (older versions wrote ids past 99999 that way):
// Properties edits the line the operator chose, and the other map stays.
TEST_F(MapCatalogue, RewritesDropLinesThatAreNoMapsAndPropertiesChangeOnlyTheChosenLine) {
  auto& dialog = Dialog(Lines({"a note", MapLine("Only", 3, "x.bmp")}));
  dialog.lstMaps.UserSelect(0);
  Op().ExpectMsgBox("Are you sure you want to remove the map 'Only'?", ui::vbYes,
                    "Confirm map removal");
  dialog.cmdRemove.Press();
  EXPECT_EQ(Catalogue(), "");

  const std::string lake = MapLine("Lake", 7, "lake.bmp");
  const std::string keep = MapLine("Keep", 2, "k.bmp");
  const std::string dam = MapLine("Dam", 7, "dam.bmp");
  const struct {
    int chosen;
    std::vector<std::string> after;
  } cases[] = {
      {0, {MapLine("Lake West", 7, "/maps/new.bmp"), keep, dam}},
      {2, {lake, keep, MapLine("Lake West", 7, "/maps/new.bmp")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    auto& list = Dialog(Lines({lake, "junk", keep, dam}));
    list.lstMaps.UserSelect(c.chosen);
    Op().OnModal("frmMapProps", [](ui::Form& f) {
      auto& props = static_cast<sites::frmMapProps&>(f);
      props.txtPath.Text = "/maps/new.bmp";
      props.txtMapName.Text = "";
      props.txtMapName.Type("Lake West");  // typing is what makes the change stick
      props.Command2.Press();
    });
    list.cmdProps.Press();
    EXPECT_EQ(Catalogue(), Lines(c.after));
  }
}

TEST_F(MapCatalogue, AMissingBitmapIsNotSelectedAndAPresentOneBecomesTheCurrentMap) {
  auto& dialog = Dialog(Lines({MapLine("Gone", 4, "/no/such/gone.bmp"), MapLine("Home", 9, "TEVH.bmp")}));
  dialog.lstMaps.UserSelect(0);
  Op().ExpectMsgBox("File not found: /no/such/gone.bmp", ui::vbOK, "VKX-4700");
  dialog.SelectMap(0);
  EXPECT_EQ(h.registry.GetSetting("Settings", "CurrentMapID", "none"), "none");
  dialog.lstMaps.UserSelect(1);
  dialog.Command1.Press();
  EXPECT_FALSE(dialog.IsLoaded());
  EXPECT_EQ(h.registry.GetSetting("Settings", "CurrentMap", ""), "TEVH.bmp");
  EXPECT_EQ(h.registry.GetSetting("Settings", "CurrentMapID", ""), "9");
  EXPECT_EQ(Map().GetCurrentMapID(), 9);
  EXPECT_EQ(Map().imgMap.Width(), 12000);
}

// A bitmap that is there but cannot be loaded whole is refused as a missing
// one is, naming the file and the reason; the current map stays. Taken at
// start, it is told and the map shows no picture.
TEST_F(MapCatalogue, ABitmapThatCannotBeLoadedWholeIsToldWithItsReasonAndNotSelected) {
  const std::string whole = h.folder.ReadFile("TEVH.bmp").value();
  ASSERT_FALSE(h.folder.WriteFileAtomic("cut.bmp", whole.substr(0, whole.size() / 2)));
  auto& dialog = Dialog(Lines({MapLine("Cut", 4, "cut.bmp")}));
  Op().ExpectMsgBox("File cannot be loaded: cut.bmp (the file ends before its picture does)",
                    ui::vbOK, "VKX-4700");
  dialog.SelectMap(0);
  EXPECT_EQ(h.registry.GetSetting("Settings", "CurrentMapID", "none"), "none");
  EXPECT_EQ(Map().imgMap.Picture().file, h.folder.FilePath("TEVH.bmp"));
  testkit::ExpectScriptDone(h.rt);

  h.registry.SaveSetting("Settings", "CurrentMap", "cut.bmp");
  h.console.Unload<sites::frmMap>();
  Op().ExpectMsgBox("~cut.bmp (the file ends before its picture does)");
  EXPECT_TRUE(h.console.Get<sites::frmMap>().imgMap.Picture().IsEmpty());
}

// The map edited is the one on the entry's own line, also when that line
// names no bitmap: the map whose properties were opened before is left alone.
TEST_F(MapCatalogue, PropertiesOnALineWithoutABitmapEditThatLineAndNoOther) {
  const std::string first = MapLine("First", 1, "first.bmp");
  const std::string third = MapLine("Third", 3, "third.bmp");
  auto& dialog = Dialog(Lines({first, "Second\xFF" "00002", third}));
  const auto open_props = [&](int index, std::function<void(sites::frmMapProps&)> act) {
    dialog.lstMaps.UserSelect(index);
    Op().OnModal("frmMapProps", [act](ui::Form& f) { act(static_cast<sites::frmMapProps&>(f)); });
    dialog.cmdProps.Press();
  };
  open_props(0, [](sites::frmMapProps& p) { p.Command1.Press(); });
  open_props(1, [](sites::frmMapProps& p) {
    EXPECT_EQ(p.MapID, 2);
    EXPECT_EQ(p.txtPath.Text(), "");
    p.txtMapName.Text = "";
    p.txtMapName.Type("Renamed");
    p.txtPath.Text = "second.bmp";
    p.Command2.Press();
  });
  EXPECT_EQ(Catalogue(), Lines({first, MapLine("Renamed", 2, "second.bmp"), third}));
  EXPECT_EQ(dialog.lstMaps.ListCount(), 3);
}

// No new map once the largest id is taken: ids stay unique.
TEST_F(MapCatalogue, NoMapIsAddedOnceTheLargestIdIsListed) {
  const std::string full = Lines({MapLine("Full", sites::kMaxMapId, "f.bmp")});
  auto& dialog = Dialog(full);
  EXPECT_EQ(dialog.MaxMapID, sites::kMaxMapId);
  Op().ExpectMsgBox("No map can be added: the catalogue's map ids are used up.", ui::vbOK,
                    "VKX-4700");
  dialog.cmdAdd.Press();
  EXPECT_EQ(Catalogue(), full);
}

// A catalogue written with five-digit ids reads as it always has; longer
// runs of digits are read whole, up to the largest id.
TEST(MapCatalogueText, IdsAreReadWholeAndOldFiveCharacterIdsAsBefore) {
  const std::pair<std::string, std::optional<std::int32_t>> cases[] = {
      {"A\xFF" "00007\xFEp.bmp", 7},
      {"A\xFF" "99999\xFE", 99999},
      {"A\xFF" "100000\xFEp.bmp", 100000},
      {"A\xFF" "1234567", 1234567},
      {"A\xFF" "0000099999999999999\xFEp", sites::kMaxMapId},
      {"A\xFF" "7", 7},
      {"A\xFF" " 12 3\xFEp", 123},    // Val of five characters, blanks skipped
      {"A\xFF" "00012abc\xFEp", 12},  // the digits end the id
      {"A\xFF" "ab\xFEx.bmp", 0},
      {"A\xFF" "9E99\xFEx.bmp", sites::kMaxMapId},  // Val's exponent
      {"A\xFF" "-0012\xFEx.bmp", -12},
      {"no map", std::nullopt}};
  for (const auto& [line, id] : cases) {
    EXPECT_EQ(sites::MapIdOfLine(line), id) << line;
    EXPECT_EQ(sites::MapIdAt(line + "\r\n", 1), id) << line;
  }
  const sites::MapList list = sites::ListMaps(Lines({MapLine("A", 99999, "a"), MapLine("B", 100000, "b")}));
  EXPECT_EQ(list.max_id, 100000);
  EXPECT_EQ(MapLine("B", 100000, "b"), "B\xFF" "100000\xFE" "b");
}

// Each line's place, whatever its line end; the path follows the id even when
// the description holds the character 254.
TEST(MapCatalogueText, LinesAreFoundByTheirBytePositionWhateverTheirLineEnds) {
  const std::string file = "A\xFF" "00002\xFE" "a.bmp\nnote\rThorn \xFE\xFF" "00010\xFE" "t.bmp\r\nB\xFF" "7";
  const sites::MapList list = sites::ListMaps(file);
  ASSERT_EQ(list.entries.size(), 3u);
  EXPECT_EQ(list.max_id, 10);
  const long positions[] = {1, 20, 41};
  const char* paths[] = {"a.bmp", "t.bmp", "(no entry)"};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(list.entries[i].position, positions[i]);
    const auto entry = sites::ReadMapEntry(file, positions[i]);
    EXPECT_EQ(entry ? entry->path : "(no entry)", paths[i]);
  }
  EXPECT_EQ(MapLine("Ha\xFF line\r\n", 3, "p"), "Hay line  \xFF" "00003\xFEp");
}

// A crash at any moment of a rewrite: the catalogue is the old or the new
// one, whole, never a mixture or a cut.
TEST_F(MapCatalogue, ARewriteKilledAtAnyMomentLeavesTheOldOrTheNewCatalogue) {
  std::string old_text, new_text;
  for (int i = 0; i < 300; ++i) {
    old_text += MapLine("Old map " + std::to_string(i), i, "/maps/old.bmp") + "\r\n";
    new_text += MapLine("New map " + std::to_string(i), i, "/maps/new.bmp") + "\r\n";
  }
  ASSERT_FALSE(h.folder.WriteFileAtomic("Maps.ini", old_text));
  for (int round = 0; round < 12; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
      for (;;) sites::WriteMapCatalogue(h.console, round % 2 ? new_text : old_text);
    usleep(static_cast<useconds_t>(500 + 1700 * round));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string now = Catalogue();
    EXPECT_TRUE(now == old_text || now == new_text) << "round " << round << ": " << now.size();
  }
}

TEST(PictureFile, SizesComeFromBitmapAndPngHeaders) {
  auto le = [](std::uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i));
    return s;
  };
  const std::string bmp = "BM" + std::string(12, '\0');
  const std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x02\x80\0\0\x01\xe0", 24);
  const std::pair<std::string, std::optional<platform::PictureSize>> cases[] = {
      {bmp + le(40, 4) + le(800, 4) + le(600, 4), platform::PictureSize{800, 600}},
      {bmp + le(40, 4) + le(800, 4) + le(static_cast<std::uint32_t>(-600), 4), platform::PictureSize{800, 600}},
      {bmp + le(12, 4) + le(40, 2) + le(30, 2) + "xxxx", platform::PictureSize{40, 30}},
      {png, platform::PictureSize{640, 480}},
      {bmp + le(40, 4) + le(800, 4), std::nullopt},
      {bmp + le(40, 4) + le(0, 4) + le(600, 4), std::nullopt},
      {bmp + le(40, 4) + le(40000, 4) + le(600, 4), std::nullopt},
      {"GIF89a and more bytes here....", std::nullopt}};
  for (const auto& [header, size] : cases) EXPECT_EQ(platform::PictureSizeFromHeader(header), size);
  EXPECT_EQ(platform::ReadPictureSize(testkit::ShippedDataDir() + "/TEVH.bmp"),
            (platform::PictureSize{800, 600}));
}

// What the header promises must fit in memory and in the file: the image
// library refuses the rest, which would otherwise show as a placeholder.
TEST(PictureFile, OnlyAPictureThatCanBeLoadedWholePassesTheCheck) {
  auto le = [](std::uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i));
    return s;
  };
  // A 24-bit bitmap of w x h pixels: its header, and its rows of pixels.
  auto bitmap = [&](std::uint32_t w, std::uint32_t h, std::size_t pixel_bytes) {
    return "BM" + std::string(8, '\0') + le(54, 4) + le(40, 4) + le(w, 4) + le(h, 4) + le(1, 2) +
           le(24, 2) + le(0, 4) + std::string(20, '\0') + std::string(pixel_bytes, '\x40');
  };
  const std::string png_head =
      std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x02\x80\0\0\x01\xe0", 24);
  const std::string png_end("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
  const std::string cut = "the file ends before its picture does";
  const std::pair<std::string, std::string> cases[] = {
      {bitmap(10, 3, 32 * 3), ""},  // rows of 30 bytes padded to 32
      {bitmap(10, 3, 32 * 3 - 1), cut},
      {bitmap(800, 600, 0), cut},  // a header and nothing behind it
      {bitmap(6000, 6000, 0), "its 6000 x 6000 pixels need more than 128 MB of memory"},
      {bitmap(5792, 5792, 0), cut},  // just below the limit
      {png_head + "IDAT" + png_end, ""},
      {png_head + "IDAT", cut},
      {"GIF89a and more bytes here....", "it is not a bitmap or PNG picture"},
      {"BM" + std::string(12, '\0') + le(40, 4) + le(0, 4) + le(600, 4),
       "its header gives no valid picture size"},
      {"", "it is not a bitmap or PNG picture"}};
  for (const auto& [bytes, problem] : cases)
    EXPECT_EQ(platform::CheckPictureBytes(bytes).problem, problem) << bytes.size();
  const auto shipped = platform::CheckPictureFile(testkit::ShippedDataDir() + "/TEVH.bmp");
  EXPECT_EQ(shipped.problem, "");
  EXPECT_EQ(shipped.size, (platform::PictureSize{800, 600}));
  EXPECT_EQ(platform::CheckPictureFile("/no/such/file.bmp").problem, "the file cannot be read");
}

}  // namespace
