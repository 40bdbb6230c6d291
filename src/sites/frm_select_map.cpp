#include "sites/frm_select_map.h"

#include <filesystem>

#include "app/console.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "platform/program_folder.h"
#include "sites/frm_map.h"
#include "sites/map_catalogue.h"

namespace sites {

std::string MapCataloguePath(app::Console& c) {
  const std::string path = c.folder.FilePath(kMapCatalogueFileName);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) platform::WriteWholeFileAtomic(path, "");
  return path;
}

std::string ReadMapCatalogue(app::Console& c) {
  return platform::ReadWholeFile(MapCataloguePath(c)).value_or("");
}

bool WriteMapCatalogue(app::Console& c, std::string_view bytes) {
  const std::string path = MapCataloguePath(c);
  const auto error =
      platform::WriteWholeFileAtomic(path, bytes, path + std::string(kMapCatalogueTempSuffix));
  if (error) c.rt.MsgBox(*error, ui::vbExclamation, app_info::kTitle);
  return !error;
}

// ---- Select Map ----------------------------------------------------------------

frmSelectMap::frmSelectMap(app::Console& c) : ui::Form(c.rt, "frmSelectMap"), c_(c) {
  lstMaps.Click = [this] { lstMaps_Click(); };
  lstMaps.DblClick = [this] { Command1_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  cmdCancel.Click = [this] { cmdCancel_Click(); };
  cmdAdd.Click = [this] { cmdAdd_Click(); };
  cmdRemove.Click = [this] { cmdRemove_Click(); };
  cmdProps.Click = [this] { cmdProps_Click(); };
}

void frmSelectMap::Design() {
  Caption = "Select Map";
  BorderStyle = ui::vbFixedDialog;
  Move(3000, 2000, 5280, 3930);
  Label1.Caption = "Please select a map to load:";
  Label1.Move(240, 180, 3600, 255);
  lstMaps.Move(240, 480, 3240, 2790);
  lstMaps.Clear();
  const struct {
    ui::CommandButton& button;
    const char* caption;
    int top;
    bool enabled;
  } buttons[] = {{Command1, "OK", 480, true},         {cmdCancel, "Cancel", 960, true},
                 {cmdAdd, "Add New", 1680, true},     {cmdProps, "Properties", 2160, false},
                 {cmdRemove, "Remove", 2640, false}};
  for (const auto& b : buttons) {
    b.button.Caption = b.caption;
    b.button.Move(3720, b.top, 1320, 390);
    b.button.Enabled = b.enabled;
  }
  Command1.Default = true;
  cmdCancel.Cancel = true;
}

void frmSelectMap::FillMapList() {
  const MapList list = ListMaps(ReadMapCatalogue(c_));
  lstMaps.Clear();
  MaxMapID = list.max_id;
  for (const MapListEntry& entry : list.entries) {
    lstMaps.AddItem(entry.description);
    lstMaps.SetItemData(lstMaps.NewIndex(), entry.position);
  }
}

std::string frmSelectMap::ReadMapEntry(long position) {
  const auto entry = sites::ReadMapEntry(ReadMapCatalogue(c_), position);
  if (!entry) return "";
  MapID = entry->id;
  return entry->path;
}

void frmSelectMap::SelectMap(int index) {
  if (index < 0) return;
  const std::string path = ReadMapEntry(lstMaps.ItemData(index));
  if (path.empty()) return;
  std::error_code ec;
  if (!std::filesystem::exists(MapFilePath(c_, path), ec)) {
    c_.rt.MsgBox("File not found: " + path, ui::vbOKOnly, app_info::kTitle);
    return;
  }
  auto& map = c_.Get<frmMap>();
  // A picture that cannot be shown whole is refused as a missing one is.
  if (const std::string problem = map.MapPictureProblem(path); !problem.empty()) {
    map.TellMapPictureProblem(path, problem);
    return;
  }
  c_.SaveSetting("CurrentMap", path);
  c_.SaveSetting("CurrentMapID", vb::CStr(MapID));
  map.SetCurrentMapID(MapID);
  map.LoadMapPicture(path);
  // Rebuilt even while hidden, so the map shown next is the new one.
  map.Form_Resize();
  if (map.Visible()) map.DrawSites();
}

void frmSelectMap::lstMaps_Click() {
  if (lstMaps.ListIndex() < 0) return;
  cmdProps.Enabled = true;
  cmdRemove.Enabled = true;
}

void frmSelectMap::Command1_Click() {
  SelectMap(lstMaps.ListIndex());
  Unload();
}

void frmSelectMap::cmdCancel_Click() { Unload(); }

void frmSelectMap::cmdAdd_Click() {
  if (MaxMapID >= kMaxMapId) {
    c_.rt.MsgBox("No map can be added: the catalogue's map ids are used up.", ui::vbExclamation,
                 app_info::kTitle);
    return;
  }
  ui::FileDialogRequest request;
  request.filter = "Images (*.bmp)|*.bmp";
  const std::string file = c_.rt.FileDialog(request);
  if (file.empty()) return;
  // A cancelled question gives an empty description; the map is added all the same.
  const std::string description =
      c_.rt.InputBox("Please enter a description for this map:", "", "");
  WriteMapCatalogue(c_, CatalogueWithMapAdded(ReadMapCatalogue(c_),
                                              MapLine(description, MaxMapID + 1, file)));
  FillMapList();
}

void frmSelectMap::cmdRemove_Click() {
  const int index = lstMaps.ListIndex();
  if (index < 0) return;
  if (c_.rt.MsgBox("Are you sure you want to remove the map '" + lstMaps.List(index) + "'?",
                   ui::vbYesNo + ui::vbQuestion, "Confirm map removal") != ui::vbYes)
    return;
  MapList listed;
  for (int i = 0; i < lstMaps.ListCount(); ++i)
    listed.entries.push_back(MapListEntry{lstMaps.List(i), 0, lstMaps.ItemData(i)});
  WriteMapCatalogue(c_, CatalogueWithout(ReadMapCatalogue(c_), listed,
                                         static_cast<std::size_t>(index)));
  FillMapList();
}

// The map edited is the one on the entry's own line, also when that line
// names no bitmap (and so gives no entry, only its id).
void frmSelectMap::cmdProps_Click() {
  const int index = lstMaps.ListIndex();
  if (index < 0) return;
  const std::string catalogue = ReadMapCatalogue(c_);
  const long position = lstMaps.ItemData(index);
  const auto id = MapIdAt(catalogue, position);
  if (!id) {  // the catalogue changed under the list
    FillMapList();
    return;
  }
  const auto entry = sites::ReadMapEntry(catalogue, position);
  auto& props = c_.Get<frmMapProps>();
  props.txtMapName.Text = lstMaps.List(index);
  props.txtPath.Text = entry ? entry->path : "";
  props.SetCurrentMap(position, *id);
  props.Show(true, this);
  FillMapList();
}

// ---- Map Properties ----------------------------------------------------------

frmMapProps::frmMapProps(app::Console& c) : ui::Form(c.rt, "frmMapProps"), c_(c) {
  txtMapName.KeyPress = [this](int&) { cmdApply.Enabled = true; };
  txtPath.KeyPress = [this](int&) { cmdApply.Enabled = true; };
  cmdBrowse.Click = [this] { cmdBrowse_Click(); };
  cmdApply.Click = [this] { cmdApply_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command1.Click = [this] { Command1_Click(); };
}

void frmMapProps::Design() {
  Caption = "Map Properties";
  BorderStyle = ui::vbFixedDialog;
  Move(3500, 2500, 6360, 2580);
  Label1.Caption = "Map Name:";
  Label1.Move(240, 285, 1080, 255);
  txtMapName.Move(1380, 240, 4680, 315);
  txtMapName.Text = "";
  Label2.Caption = "File Path:";
  Label2.Move(240, 765, 1080, 255);
  txtPath.HoldsPaths = true;
  txtPath.Move(1380, 720, 4200, 315);
  txtPath.Text = "";
  cmdBrowse.Caption = "...";
  cmdBrowse.Move(5640, 720, 420, 315);
  cmdApply.Caption = "Apply";
  cmdApply.Enabled = false;
  cmdApply.Move(1380, 1380, 1320, 390);
  Command2.Caption = "OK";
  Command2.Default = true;
  Command2.Move(3060, 1380, 1320, 390);
  Command1.Caption = "Cancel";
  Command1.Cancel = true;
  Command1.Move(4740, 1380, 1320, 390);
}

// Any picture the map window can read, or any file at all.
void frmMapProps::cmdBrowse_Click() {
  ui::FileDialogRequest request;
  request.filter = "Images (*.bmp;*.png)|*.bmp;*.png|All Files (*.*)|*.*";
  const std::string file = c_.rt.FileDialog(request);
  if (file.empty()) return;
  cmdApply.Enabled = true;
  txtPath.Text = file;
}

void frmMapProps::cmdApply_Click() {
  WriteMapCatalogue(c_, CatalogueWithMapReplaced(ReadMapCatalogue(c_), MapPosition, MapID,
                                                 MapLine(txtMapName.Text(), MapID, txtPath.Text())));
}

void frmMapProps::Command2_Click() {
  if (cmdApply.Enabled()) cmdApply_Click();
  Unload();
}

}  // namespace sites
