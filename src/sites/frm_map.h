// The map window: the current map bitmap stretched over the client area,
// every site of that map drawn as a round icon with its name and customer
// number beneath, blinking by its state once a second. The operator selects
// a site (left click), moves it (right-button drag), magnifies part of the
// map (left clicks while the magnifier frame is shown) and connects to it
// (double click).
//
// The window's drawing is persistent: the map is painted once per rebuild
// and the icons are drawn over it; each icon is a keyed group of the
// display list (keyed by SiteID), so a redraw replaces the icon in place and
// the per-second redraw costs one query and one group per site.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/variant.h"
#include "ui/controls.h"

namespace app {
class Console;
// The map window is loaded and shown.
bool MapShown(Console& c);
}  // namespace app

namespace sites {

// Where an icon's columns stand in a recordset.
struct IconColumns;

// The map picture's units are twips: 15 to a pixel of the bitmap.
inline constexpr int kMapTwipsPerPixel = 15;

class frmMap : public ui::Form {
 public:
  explicit frmMap(app::Console& c);

  // The current map picture: its Width and Height are the bitmap's size.
  ui::Image imgMap{*this, "imgMap"};
  // The magnifier frame, and the marker over a site being moved.
  ui::Shape Shape1{*this, "Shape1"};
  ui::Shape Shape2{*this, "Shape2"};

  // Form units (twips of the client area) per bitmap unit.
  double MapScaleX = 1;
  double MapScaleY = 1;
  // Where a site move began, and where the mouse was last seen during it.
  double DragStartX = 0;
  double DragStartY = 0;
  double LastMouseX = 0;
  double LastMouseY = 0;

  void SetCurrentMapID(std::int32_t id) { map_id_ = id; }
  // Rebuilds the whole picture: the current map painted anew, the whole map
  // in view, every icon drawn. Other windows call it after sites or maps
  // change.
  void Form_Resize() override;
  std::int32_t GetCurrentMapID() const { return map_id_; }
  // Every site of the current map, from its rows of the site table (run by
  // the main window's flash timer every second); flips the blink phase.
  void DrawSites();
  // The site of rsShared's current row, as DrawSites draws it. A caller's
  // row that names no map is drawn only when its site is on the map shown.
  void DrawIcon();

  void Form_MouseDown(int Button, int Shift, double X, double Y);
  void Form_MouseMove(int Button, int Shift, double X, double Y);
  void Form_MouseUp(int Button, int Shift, double X, double Y);
  void Form_DblClick();

  // Takes the picture of the map at path (a relative path names a file of
  // the program folder); one that cannot be loaded whole is told (its file
  // and the reason) and leaves the map without a picture.
  void LoadMapPicture(const std::string& path);
  // Why the picture at path cannot be shown whole, "" when it can.
  std::string MapPictureProblem(const std::string& path);
  void TellMapPictureProblem(const std::string& path, const std::string& problem);
  // Paints the part of the map in view (ViewLeft .. ViewBottom) over the
  // client area, over whatever was drawn.
  void PaintView();

 protected:
  void Design() override;
  void Form_Load() override;

 private:
  struct Point {
    double x = 0, y = 0;  // form units
    bool in_view = false;
  };
  // Where a site at SiteLatMin / SiteLonMin thousandths is drawn.
  Point FormPoint(double lat_min, double lon_min) const;
  // map_pass: where the map's own pass finds the columns in its rows;
  // nullptr for a caller's row.
  void DrawRow(const IconColumns* map_pass);
  void Label(std::string_view text, double x, double y, bool selected);
  std::string_view NumberLabel(const platform::Variant& cust, std::array<char, 24>& buffer);
  void Magnify();
  // A site as a click finds it: where it is drawn and what selecting it sets.
  struct SiteHit {
    Point at;
    std::int32_t id = 0;
    std::string name;
    std::int16_t site_num = 0;
    std::int32_t cust_num = 0;
  };
  // Walks the site table for the first site drawn within 120 form units
  // of X, Y; nothing when no site is there.
  std::optional<SiteHit> SiteAt(double X, double Y);
  // The site becomes the selected one.
  void Select(const SiteHit& site);
  // Draws the site's icon again from its row as it stands.
  void RedrawSite(std::int32_t site_id);
  double ClientWidth() const;
  double ClientHeight() const;
  double PictureWidth() const;
  double PictureHeight() const;

  app::Console& c_;
  std::int32_t map_id_ = 0;
  bool ready_ = false;  // Form_Load has run
  std::string number_text_;  // a customer number label that is no whole number
};

// The path of a map bitmap as the catalogue and the store give it, as a
// file path: a relative path names a file of the program folder.
std::string MapFilePath(app::Console& c, const std::string& path);
// The registry's "CurrentMap" (default: the program folder's "TEVH.bmp").
std::string CurrentMapSetting(app::Console& c);

}  // namespace sites
