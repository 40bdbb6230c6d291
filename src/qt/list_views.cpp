// Combo boxes, list boxes and list views. Lists are rebuilt from the model
// only when their items change; selections follow the model's ListIndex.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

#include "qt/control_views.h"
#include "qt/one_line_edit.h"
#include "qt/qt_convert.h"

namespace qtui {

namespace {

template <class Model>
QStringList ItemTexts(const Model& list) {
  QStringList texts;
  texts.reserve(list.ListCount());
  for (int i = 0; i < list.ListCount(); ++i) texts << ShownText(list, list.List(i));
  return texts;
}

// ---- ComboBox -------------------------------------------------------------

class ComboBoxView final : public ControlView {
 public:
  ComboBoxView(ui::ComboBox& model, QComboBox* combo, ControlHost& host)
      : ControlView(model, combo, host), model_(model), combo_(combo) {
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setMaxVisibleItems(16);
    QObject::connect(combo_, &QComboBox::activated, this, [this](int index) {
      if (!Accepting()) return;
      QPointer<ComboBoxView> self(this);
      model_.UserSelect(index);
      if (self != nullptr && self->Attached()) self->Resync();
    });
  }

 protected:
  void Sync(ui::Prop) override {
    const QSignalBlocker block(combo_);
    const bool editable = model_.Style() != ui::vbComboDropdownList;
    if (combo_->isEditable() != editable) combo_->setEditable(editable);
    HookEditor();
    const QStringList items = ItemTexts(model_);
    if (items != shown_items_) {
      combo_->clear();
      combo_->addItems(items);
      shown_items_ = items;
    }
    const int index = model_.ListIndex() < combo_->count() ? model_.ListIndex() : -1;
    if (combo_->currentIndex() != index) combo_->setCurrentIndex(index);
    if (editable && combo_->currentText() != ShownText(model_, model_.Text()))
      combo_->setEditText(ShownText(model_, model_.Text()));
  }
  void SyncColors() override { ApplyPalette(QPalette::Base, false); }

 private:
  void Resync() { ControlChanged(model_, ui::Prop::Other); }

  // Typing in the edit part reaches the model as Change; choosing an item
  // does not (it raises Click through ListIndex).
  void HookEditor() {
    QLineEdit* editor = combo_->lineEdit();
    if (editor == nullptr || editor == hooked_editor_) return;
    hooked_editor_ = editor;
    KeepOnOneLine(*editor);
    QObject::connect(editor, &QLineEdit::textEdited, this, [this](const QString& text) {
      if (Accepting()) model_.UserEdit(TypedText(model_, text));
    });
  }

  ui::ComboBox& model_;
  QComboBox* combo_;
  QStringList shown_items_;
  QPointer<QLineEdit> hooked_editor_;
};

// ---- ListBox --------------------------------------------------------------

class ListBoxView final : public ControlView {
 public:
  ListBoxView(ui::ListBox& model, QListWidget* list, ControlHost& host)
      : ControlView(model, list, host), model_(model), list_(list) {
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);
    // The operator's choice is the item selected (a click, or a key that
    // moves the selection); the current row alone is no choice: Qt sets it on
    // the first item when a list without one takes the focus. A Ctrl+click
    // on the chosen item clears the selection, and then nothing is chosen.
    QObject::connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
      if (!Accepting()) return;
      const QList<QListWidgetItem*> selected = list_->selectedItems();
      if (!selected.isEmpty()) model_.UserSelect(list_->row(selected.front()));
      else if (model_.ListIndex() >= 0) model_.UserSelect(-1);
    });
    QObject::connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
      Deliver([this, row = list_->row(item)] { model_.UserDoubleClick(row); });
    });
  }

 protected:
  void Sync(ui::Prop which) override {
    const QSignalBlocker block(list_);
    if (which == ui::Prop::Items || which == ui::Prop::Other) {
      const QStringList items = ItemTexts(model_);
      if (items != shown_items_) {
        const int scroll = list_->verticalScrollBar()->value();
        list_->clear();
        list_->addItems(items);
        shown_items_ = items;
        list_->verticalScrollBar()->setValue(scroll);
      }
    }
    const int index = model_.ListIndex();
    if (index >= 0 && index < list_->count()) {
      list_->setCurrentRow(index);
    } else {
      list_->setCurrentRow(-1);
      list_->clearSelection();
    }
  }
  void SyncColors() override { ApplyPalette(QPalette::Base, false); }
  bool HandlesSelection() const override { return true; }

 private:
  ui::ListBox& model_;
  QListWidget* list_;
  QStringList shown_items_;
};

// ---- ListView (report mode) -------------------------------------------------

constexpr int kModelIndexRole = Qt::UserRole + 1;

Qt::Alignment ColumnAlignment(int alignment) {
  switch (alignment) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

class ListViewView final : public ControlView {
 public:
  ListViewView(ui::ListView& model, QTreeWidget* tree, ControlHost& host)
      : ControlView(model, tree, host), model_(model), tree_(tree) {
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);
    tree_->setItemsExpandable(false);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setSortingEnabled(false);  // the model decides the order (Sorted, SortKey)
    tree_->header()->setSectionsClickable(true);
    tree_->header()->setStretchLastSection(false);
    QObject::connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
      Deliver([this, at = item->data(0, kModelIndexRole).toInt()] { model_.UserClick(at); });
    });
    QObject::connect(tree_, &QTreeWidget::itemDoubleClicked, this,
                     [this](QTreeWidgetItem* item, int) {
                       Deliver([this, at = item->data(0, kModelIndexRole).toInt()] {
                         model_.UserDoubleClick(at);
                       });
                     });
    QObject::connect(tree_->header(), &QHeaderView::sectionClicked, this, [this](int section) {
      Deliver([this, section] { model_.ColumnClick(section + 1); });
    });
  }

 protected:
  void Sync(ui::Prop which) override {
    const QSignalBlocker block(tree_);
    const bool all = which == ui::Prop::Other;
    if (all || which == ui::Prop::Columns) SyncColumns();
    if (all || which == ui::Prop::Items || which == ui::Prop::Columns) SyncItems();
    if (all || which == ui::Prop::Items || which == ui::Prop::Style) SyncOrder();
    SyncSelection();
  }
  void SyncColors() override { ApplyPalette(QPalette::Base, false); }
  bool HandlesSelection() const override { return true; }

 private:
  void SyncColumns() {
    const auto& columns = model_.ColumnHeaders();
    const int count = std::max<int>(1, static_cast<int>(columns.size()));
    tree_->setColumnCount(count);
    tree_->setHeaderHidden(columns.empty());
    QTreeWidgetItem* header = tree_->headerItem();
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
      const ui::ColumnHeader& column = columns[static_cast<size_t>(c)];
      header->setText(c, ToQt(column.text));
      header->setTextAlignment(c, ColumnAlignment(column.alignment));
      tree_->setColumnWidth(c, TwipsToPx(column.width));
    }
  }

  // Items are updated in place, so that the scroll position and the
  // widget's own state survive a refresh of the texts.
  void SyncItems() {
    std::vector<QTreeWidgetItem*> by_model(static_cast<size_t>(model_.Count()), nullptr);
    for (int i = tree_->topLevelItemCount() - 1; i >= 0; --i) {
      QTreeWidgetItem* item = tree_->topLevelItem(i);
      const int index = item->data(0, kModelIndexRole).toInt();
      if (index >= 1 && index <= model_.Count() && by_model[static_cast<size_t>(index - 1)] == nullptr)
        by_model[static_cast<size_t>(index - 1)] = item;
      else
        delete tree_->takeTopLevelItem(i);
    }
    const auto& columns = model_.ColumnHeaders();
    for (int index = 1; index <= model_.Count(); ++index) {
      QTreeWidgetItem*& item = by_model[static_cast<size_t>(index - 1)];
      if (item == nullptr) {
        item = new QTreeWidgetItem();
        item->setData(0, kModelIndexRole, index);
        tree_->addTopLevelItem(item);
      }
      const ui::ListItem& source = model_.Item(index);
      item->setText(0, ToQt(source.text));
      for (int c = 1; c < tree_->columnCount(); ++c) {
        const size_t sub = static_cast<size_t>(c - 1);
        item->setText(c, sub < source.sub_items.size() ? ToQt(source.sub_items[sub]) : QString());
      }
      for (int c = 0; c < static_cast<int>(columns.size()); ++c)
        item->setTextAlignment(c, ColumnAlignment(columns[static_cast<size_t>(c)].alignment));
      const QBrush brush = source.fore_color != 0
                               ? QBrush(ToQColor(source.fore_color, tree_->palette()))
                               : QBrush();
      for (int c = 0; c < tree_->columnCount(); ++c) item->setForeground(c, brush);
    }
  }

  void SyncOrder() {
    if (model_.Sorted()) {
      tree_->sortItems(std::max(0, model_.SortKey()), Qt::AscendingOrder);
      return;
    }
    // Unsorted: the model's own order.
    bool in_order = true;
    for (int i = 0; i < tree_->topLevelItemCount() && in_order; ++i)
      in_order = tree_->topLevelItem(i)->data(0, kModelIndexRole).toInt() == i + 1;
    if (in_order) return;
    std::vector<QTreeWidgetItem*> items;
    while (tree_->topLevelItemCount() > 0) items.push_back(tree_->takeTopLevelItem(0));
    std::sort(items.begin(), items.end(), [](QTreeWidgetItem* a, QTreeWidgetItem* b) {
      return a->data(0, kModelIndexRole).toInt() < b->data(0, kModelIndexRole).toInt();
    });
    for (QTreeWidgetItem* item : items) tree_->addTopLevelItem(item);
  }

  void SyncSelection() {
    const int selected = model_.SelectedIndex();
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = tree_->topLevelItem(i);
      const bool on = item->data(0, kModelIndexRole).toInt() == selected;
      item->setSelected(on);
      if (on) tree_->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    }
  }

  ui::ListView& model_;
  QTreeWidget* tree_;
};

}  // namespace

ControlView* MakeComboBoxView(ui::ComboBox& model, QWidget* parent, ControlHost& host) {
  return Started(new ComboBoxView(model, new QComboBox(parent), host));
}

ControlView* MakeListBoxView(ui::ListBox& model, QWidget* parent, ControlHost& host) {
  return Started(new ListBoxView(model, new QListWidget(parent), host));
}

ControlView* MakeListViewView(ui::ListView& model, QWidget* parent, ControlHost& host) {
  return Started(new ListViewView(model, new QTreeWidget(parent), host));
}

}  // namespace qtui
