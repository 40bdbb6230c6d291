// The index of a drawing's operations, kept from one repaint to the next,
// finds what the drawing holds after every kind of change: the operations
// reaching each box, the texts whose glyphs fall in it, the operations
// hiding it; and it looks again only at the runs that changed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "qt/op_index.h"
#include "ui/control.h"

namespace {

constexpr int kWidth = 400, kHeight = 300;

// A site icon in twips (15 to the pixel): ring, dot, name and its shadow.
struct Icon {
  double x, y;
  ui::Color dot = ui::vbRed;
  bool with_dot = true;
  std::string name = "Site";
  double name_width = 600;
  bool shadow = true;
};

class KeptOpIndex : public ::testing::Test {
 protected:
  void Draw(std::int64_t key, const Icon& icon) {
    list_.BeginGroup(key);
    list_.Add(ui::DrawCircle{icon.x, icon.y, 120, 0, true, ui::vbWhite});
    if (icon.with_dot) list_.Add(ui::DrawCircle{icon.x, icon.y, 75, icon.dot, true, icon.dot});
    const double left = icon.x - icon.name_width / 2;
    list_.Add(ui::DrawText{left, icon.y + 180, icon.name, ui::vbWhite, 8.25, false,
                           icon.name_width, 195});
    if (icon.shadow)
      list_.Add(ui::DrawText{left - 15, icon.y + 165, icon.name, 0, 8.25, false, icon.name_width,
                             195});
    list_.EndGroup();
  }
  // One icon changed and drawn again under its own key.
  void Redraw(std::size_t i, const std::function<void(Icon&)>& change) {
    change(icons_[i]);
    Draw(static_cast<std::int64_t>(i), icons_[i]);
  }
  void DrawAll() {
    for (std::size_t i = 0; i < icons_.size(); ++i) Draw(static_cast<std::int64_t>(i), icons_[i]);
  }
  void Start() {
    list_.Add(ui::DrawBox{0, 0, 15.0 * kWidth, 15.0 * kHeight, ui::RGB(90, 120, 90), true});
    // Icons close enough that labels and dots of neighbours overlap.
    for (int i = 0; i < 36; ++i)
      icons_.push_back(Icon{300.0 + 700 * (i % 9), 300.0 + 900 * (i / 9) + 40 * (i % 3)});
    DrawAll();
  }

  // Every box of a dot's size over the surface: the kept index finds there
  // what the list, read whole, holds there.
  void ExpectWhatTheListHolds(const char* step) {
    for (int y = -6; y < kHeight; y += 9)
      for (int x = -6; x < kWidth; x += 11) {
        const QRect box(x, y, 13, 13);
        const qtui::PixelShape shape = qtui::ShapeOf(
            ui::DrawArea{0, 0, 0, 0, false, 15.0 * (x + 6), 15.0 * (y + 6), 75});
        std::vector<qtui::OpIndex::Ref> reaching;
        std::vector<bool> meets, hides;
        for (std::size_t run = 0; run < list_.RunCount(); ++run)
          for (std::size_t op = 0; op < list_.RunOps(run).size(); ++op) {
            const ui::DrawOp& drawn = list_.RunOps(run)[op];
            const QRect reach = qtui::ReachOf(drawn);
            if (!reach.intersects(box)) continue;
            reaching.push_back({static_cast<int>(run), static_cast<int>(op)});
            const auto* text = std::get_if<ui::DrawText>(&drawn);
            meets.push_back(shape.Meets(reach) &&
                            (text == nullptr || shape.Meets(qtui::InkOf(*text))));
            const qtui::PixelShape opaque = qtui::OpaqueShapeOf(drawn, palette_);
            hides.push_back(reach.contains(shape.Bounds()) && !opaque.rows.empty() &&
                            opaque.Covers(shape));
          }
        ASSERT_EQ(kept_.Reaching(box), reaching) << step << " at " << x << ", " << y;
        for (std::size_t i = 0; i < reaching.size(); ++i) {
          const qtui::OpIndex::Ref ref = reaching[i];
          EXPECT_EQ(&kept_.Op(ref), &list_.RunOps(static_cast<std::size_t>(ref.run))[ref.op]);
          EXPECT_EQ(kept_.Meets(ref, shape), meets[i])
              << step << " at " << x << ", " << y << ": run " << ref.run << " op " << ref.op;
          EXPECT_EQ(kept_.Hides(ref, shape, shape.Bounds()), hides[i])
              << step << " at " << x << ", " << y << ": run " << ref.run << " op " << ref.op;
        }
      }
  }

  ui::DisplayList list_;
  std::vector<Icon> icons_;
  qtui::OpIndex kept_;
  const QRect bounds_{0, 0, kWidth, kHeight};
  const QPalette palette_ = QApplication::palette();
};

TEST_F(KeptOpIndex, FindsWhatAnIndexBuiltAfreshFindsAndLooksOnlyAtRunsThatChanged) {
  Start();
  const struct {
    const char* step;
    std::function<void()> change;
    long long runs_looked_at;  // -1: all of them (a list drawn anew)
  } steps[] = {
      {"first", [] {}, -1},
      {"drawn as it was", [&] { DrawAll(); }, 0},
      {"every other dot recoloured",
       [&] {
         for (std::size_t i = 0; i < icons_.size(); i += 2) icons_[i].dot = ui::vbWhite;
         DrawAll();
       },
       18},
      {"a dot gone", [&] { Redraw(10, [](Icon& icon) { icon.with_dot = false; }); }, 1},
      {"the dot back", [&] { Redraw(10, [](Icon& icon) { icon.with_dot = true; }); }, 1},
      // Glyphs of another width fall elsewhere in a text of the same box.
      {"renamed in the same box",
       [&] {
         Redraw(12, [](Icon& icon) { icon.name = "iiii"; });
         Redraw(13, [](Icon& icon) { icon.name = "WWWW"; });
       },
       2},
      {"moved",
       [&] {
         Redraw(20, [](Icon& icon) {
           icon.x += 260;
           icon.y -= 140;
         });
       },
       1},
      {"its last text gone", [&] { Redraw(21, [](Icon& icon) { icon.shadow = false; }); }, 1},
      {"a new site",
       [&] {
         icons_.push_back(Icon{3000, 2000, ui::vbBlue});
         Draw(99, icons_.back());
       },
       1},
      {"drawn outside the groups", [&] { list_.Add(ui::DrawLine{0, 0, 3000, 2000, 0, 2}); }, 1},
      {"cleared and drawn with fewer sites",
       [&] {
         list_.Clear();
         icons_.resize(20);
         DrawAll();
       },
       -1},
  };
  long long looked_at = 0;
  for (const auto& s : steps) {
    s.change();
    kept_.Update(list_, bounds_, palette_);
    const long long runs = s.runs_looked_at < 0 ? static_cast<long long>(list_.RunCount())
                                                : s.runs_looked_at;
    EXPECT_EQ(kept_.RunsIndexed() - looked_at, runs) << s.step;
    looked_at = kept_.RunsIndexed();
    ExpectWhatTheListHolds(s.step);
  }
}

}  // namespace
