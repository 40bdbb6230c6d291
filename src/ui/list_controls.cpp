#include "ui/list_controls.h"

#include <stdexcept>

#include "ui/basic_controls.h"

namespace ui {

std::string ItemList::List(int i) const {
  if (i < 0 || i >= ListCount()) return {};
  return items_[static_cast<size_t>(i)].text;
}

long ItemList::ItemData(int i) const {
  if (i < 0 || i >= ListCount()) return 0;
  return items_[static_cast<size_t>(i)].data;
}

void ItemList::SetItemData(int i, long data) {
  if (i < 0 || i >= ListCount()) return;
  items_[static_cast<size_t>(i)].data = data;
}

int ItemList::Add(std::string text, int index) {
  if (index < 0 || index > ListCount()) index = ListCount();
  items_.insert(items_.begin() + index, Item{std::move(text), 0, false});
  new_index_ = index;
  return index;
}

bool ItemList::Remove(int index) {
  if (index < 0 || index >= ListCount()) return false;
  items_.erase(items_.begin() + index);
  return true;
}

// ---- ComboBox

void ComboBox::AddItem(std::string text, int index) {
  Add(std::move(text), index);
  PropertyChanged(Prop::Items);
}

void ComboBox::RemoveItem(int index) {
  if (!Remove(index)) return;
  if (ListIndex() >= ListCount()) ListIndex.Init(-1);
  PropertyChanged(Prop::Items);
}

void ComboBox::Clear() {
  ClearItems();
  ListIndex.Init(-1);
  if (Style() == vbComboDropdownList) Text.Init("");
  PropertyChanged(Prop::Items);
}

void ComboBox::OnPropertyChanged(Prop which) {
  if (which == Prop::ListIndex) {
    if (ListIndex() >= 0 && ListIndex() < ListCount()) Text.Set(List(ListIndex()));
    Click();
  } else if (which == Prop::Text) {
    Change();
  }
}

void ComboBox::UserSelect(int index) {
  if (!Enabled()) return;
  ListIndex = index;
}

void ComboBox::UserEdit(std::string_view text) {
  if (!Enabled() || Style() == vbComboDropdownList) return;
  Text = WithoutLineBreaks(text);  // its edit part is a one-line box
}

// ---- ListBox

void ListBox::AddItem(std::string text, int index) {
  if (Sorted() && index < 0) {
    index = 0;
    while (index < ListCount() && List(index) < text) ++index;
  }
  Add(std::move(text), index);
  PropertyChanged(Prop::Items);
}

void ListBox::RemoveItem(int index) {
  if (!Remove(index)) return;
  if (ListIndex() >= ListCount()) ListIndex.Init(-1);
  PropertyChanged(Prop::Items);
}

void ListBox::Clear() {
  ClearItems();
  ListIndex.Init(-1);
  PropertyChanged(Prop::Items);
}

bool ListBox::Selected(int i) const {
  if (i < 0 || i >= ListCount()) return false;
  return items_[static_cast<size_t>(i)].selected;
}

void ListBox::SetSelected(int i, bool on) {
  if (i < 0 || i >= ListCount()) return;
  items_[static_cast<size_t>(i)].selected = on;
  PropertyChanged(Prop::Selection);
}

void ListBox::OnPropertyChanged(Prop which) {
  if (which != Prop::ListIndex) return;
  for (auto& item : items_) item.selected = false;
  if (ListIndex() >= 0 && ListIndex() < ListCount())
    items_[static_cast<size_t>(ListIndex())].selected = true;
  Click();
}

void ListBox::UserSelect(int index) {
  if (!Enabled()) return;
  ListIndex = index;
}

void ListBox::UserDoubleClick(int index) {
  if (!Enabled()) return;
  ListIndex = index;
  DblClick();
}

// ---- ListView

void ListView::AddColumn(std::string text, int width) {
  columns_.push_back(ColumnHeader{std::move(text), width, 0});
  PropertyChanged(Prop::Columns);
}

void ListView::ClearColumns() {
  columns_.clear();
  PropertyChanged(Prop::Columns);
}

ListItem& ListView::Item(int one_based) {
  if (one_based < 1 || one_based > Count())
    throw std::out_of_range(Name() + ": no list item " + std::to_string(one_based));
  return items_[static_cast<size_t>(one_based - 1)];
}

const ListItem& ListView::Item(int one_based) const {
  return const_cast<ListView*>(this)->Item(one_based);
}

int ListView::FindKey(std::string_view key) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].key == key) return static_cast<int>(i) + 1;
  return 0;
}

ListItem& ListView::Add(std::string key, std::string text) {
  items_.push_back(ListItem{std::move(key), std::move(text), {}, {}, false, 0});
  PropertyChanged(Prop::Items);
  return items_.back();
}

void ListView::Remove(int one_based) {
  if (one_based < 1 || one_based > Count()) return;
  items_.erase(items_.begin() + (one_based - 1));
  PropertyChanged(Prop::Items);
}

void ListView::Clear() {
  items_.clear();
  PropertyChanged(Prop::Items);
}

void ListView::SetItems(std::vector<ListItem> items) {
  items_ = std::move(items);
  PropertyChanged(Prop::Items);
}

int ListView::SelectedIndex() const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].selected) return static_cast<int>(i) + 1;
  return 0;
}

void ListView::Select(int one_based) {
  for (size_t i = 0; i < items_.size(); ++i)
    items_[i].selected = static_cast<int>(i) + 1 == one_based;
  PropertyChanged(Prop::Selection);
}

void ListView::UserClick(int one_based) {
  if (!Enabled() || one_based < 1 || one_based > Count()) return;
  Select(one_based);
  ItemClick(Item(one_based));
}

void ListView::UserDoubleClick(int one_based) {
  if (!Enabled() || one_based < 1 || one_based > Count()) return;
  UserClick(one_based);
  DblClick();
}

}  // namespace ui
