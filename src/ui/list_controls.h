// Controls that hold lists: combo boxes, list boxes and list views.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"
#include "ui/event.h"

namespace ui {

// Items with their ItemData, shared by combo and list boxes.
class ItemList {
 public:
  int ListCount() const { return static_cast<int>(items_.size()); }
  // Text of item i (0-based); "" outside the list, as the original reads it.
  std::string List(int i) const;
  long ItemData(int i) const;
  void SetItemData(int i, long data);
  int NewIndex() const { return new_index_; }

 protected:
  int Add(std::string text, int index);
  bool Remove(int index);
  void ClearItems() { items_.clear(); }
  struct Item {
    std::string text;
    long data = 0;
    bool selected = false;
  };
  std::vector<Item> items_;
  int new_index_ = -1;
};

inline constexpr int vbComboDropdown = 0;
inline constexpr int vbComboSimple = 1;
inline constexpr int vbComboDropdownList = 2;

class ComboBox : public Control, public ItemList {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::ComboBox; }
  Property<std::string> Text{this, Prop::Text};
  Property<int> Style{this, Prop::Style, vbComboDropdown};
  // -1: no item chosen. Setting it picks the item's text and raises Click.
  Property<int> ListIndex{this, Prop::ListIndex, -1};

  void AddItem(std::string text, int index = -1);
  void RemoveItem(int index);
  void Clear();

  Event<> Click;
  Event<> Change;

  void UserSelect(int index);          // the operator picks an item
  void UserEdit(std::string_view text);  // the operator types into the edit part

 protected:
  void OnPropertyChanged(Prop which) override;
};

class ListBox : public Control, public ItemList {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::ListBox; }
  Property<int> ListIndex{this, Prop::ListIndex, -1};  // raises Click on change
  Property<bool> Sorted{this, Prop::Style, false};

  void AddItem(std::string text, int index = -1);
  void RemoveItem(int index);
  void Clear();
  bool Selected(int i) const;
  void SetSelected(int i, bool on);

  Event<> Click;
  Event<> DblClick;

  void UserSelect(int index);
  void UserDoubleClick(int index);

 protected:
  void OnPropertyChanged(Prop which) override;
};

// A list view in report form: columns, and items with sub-items.
struct ListItem {
  std::string key;
  std::string text;
  std::vector<std::string> sub_items;  // SubItems(1) is sub_items[0]
  std::string tag;
  bool selected = false;
  Color fore_color = 0;  // 0: the view's default
};

struct ColumnHeader {
  std::string text;
  int width = 1440;  // twips
  int alignment = 0;  // 0 left, 1 right, 2 centre
};

class ListView : public Control {
 public:
  using Control::Control;
  ControlKind Kind() const override { return ControlKind::ListView; }

  std::vector<ColumnHeader>& ColumnHeaders() { return columns_; }
  const std::vector<ColumnHeader>& ColumnHeaders() const { return columns_; }
  void AddColumn(std::string text, int width);
  void ClearColumns();

  // ListItems are 1-based in the original: Item(1) is the first.
  int Count() const { return static_cast<int>(items_.size()); }
  ListItem& Item(int one_based);
  const ListItem& Item(int one_based) const;
  // Index (1-based) of the item with this key, 0 when there is none.
  int FindKey(std::string_view key) const;
  ListItem& Add(std::string key, std::string text);
  void Remove(int one_based);
  void Clear();
  // Replaces every item at once: the view hears of it once, not per item.
  void SetItems(std::vector<ListItem> items);
  // The selected item's index (1-based), 0 when none.
  int SelectedIndex() const;
  void Select(int one_based);
  // Tells the view that items were changed in place.
  void ItemsChanged() { PropertyChanged(Prop::Items); }

  Property<bool> Sorted{this, Prop::Style, false};
  Property<int> SortKey{this, Prop::Style, 0};
  Property<bool> FullRowSelect{this, Prop::Style, true};
  Property<bool> GridLines{this, Prop::Style, false};

  Event<ListItem&> ItemClick;
  Event<> DblClick;
  Event<int> ColumnClick;  // 1-based column index

  void UserClick(int one_based);
  void UserDoubleClick(int one_based);

 private:
  std::vector<ColumnHeader> columns_;
  std::vector<ListItem> items_;
};

}  // namespace ui
