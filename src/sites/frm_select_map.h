// The map catalogue's dialogs: "Select Map" lists the maps of "Maps.ini" by
// description and chooses the current one, adds a bitmap as a new map,
// removes a map, and opens "Map Properties" to change a map's description
// or bitmap. Every rewrite of the catalogue goes through its ".temp" file
// and a rename, so a crash leaves the old catalogue or the new one whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace app {
class Console;
}

namespace sites {

// The catalogue's path in the program folder; the file is created empty
// when it does not exist.
std::string MapCataloguePath(app::Console& c);
// Its bytes ("" when it cannot be read).
std::string ReadMapCatalogue(app::Console& c);
// Replaces it whole; false after telling the operator why it could not.
bool WriteMapCatalogue(app::Console& c, std::string_view bytes);

class frmSelectMap : public ui::Form {
 public:
  explicit frmSelectMap(app::Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::ListBox lstMaps{*this, "lstMaps"};  // ItemData: the line's byte position
  ui::CommandButton Command1{*this, "Command1"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};
  ui::CommandButton cmdAdd{*this, "cmdAdd"};
  ui::CommandButton cmdProps{*this, "cmdProps"};
  ui::CommandButton cmdRemove{*this, "cmdRemove"};

  std::int32_t MaxMapID = 0;  // the largest id of the last listing
  std::int32_t MapID = 0;     // the id of the entry ReadMapEntry read last

  std::string GetMaps() { return MapCataloguePath(c_); }
  void FillMapList();
  // The bitmap path of the line at a byte position ("" for a line that is
  // no map entry); sets MapID.
  std::string ReadMapEntry(long position);
  // Makes list entry index the current map.
  void SelectMap(int index);

  void lstMaps_Click();
  void Command1_Click();
  void cmdCancel_Click();
  void cmdAdd_Click();
  void cmdRemove_Click();
  void cmdProps_Click();

 protected:
  void Design() override;
  void Form_Load() override { FillMapList(); }

 private:
  app::Console& c_;
};

class frmMapProps : public ui::Form {
 public:
  explicit frmMapProps(app::Console& c);

  ui::Label Label1{*this, "Label1"};
  ui::TextBox txtMapName{*this, "txtMapName"};
  ui::Label Label2{*this, "Label2"};
  ui::TextBox txtPath{*this, "txtPath"};
  ui::CommandButton cmdBrowse{*this, "cmdBrowse"};
  ui::CommandButton cmdApply{*this, "cmdApply"};
  ui::CommandButton Command2{*this, "Command2"};  // OK
  ui::CommandButton Command1{*this, "Command1"};  // Cancel

  std::int32_t MapID = 0;    // the map being edited
  long MapPosition = 0;      // where its line starts in the catalogue (0: unknown)
  void SetCurrentMapID(std::int32_t id) { MapID = id; }
  void SetCurrentMap(long position, std::int32_t id) {
    MapPosition = position;
    MapID = id;
  }

  void cmdBrowse_Click();
  // Rewrites the map's own line with the name and path shown.
  void cmdApply_Click();
  void Command2_Click();
  void Command1_Click() { Unload(); }

 protected:
  void Design() override;

 private:
  app::Console& c_;
};

}  // namespace sites
