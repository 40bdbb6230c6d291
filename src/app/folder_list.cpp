#include "app/folder_list.h"

#include <filesystem>

#include "platform/folder_listing.h"

namespace app {

namespace {
constexpr int kIndent = 2;  // blanks per step in
}

FolderList::FolderList(ui::Form& owner, std::string name) : ui::ListBox(owner, std::move(name)) {
  HoldsPaths.Init(true);
  DblClick = [this] { SetPath(ItemPath(ListIndex())); };
}

bool FolderList::SetPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return false;
  std::string normal = std::filesystem::path(path).lexically_normal().string();
  if (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  const auto subfolders = platform::Subfolders(normal);
  if (!subfolders) return false;
  path_ = normal;

  Clear();
  item_paths_.clear();
  const auto add = [this](const std::string& text, const std::string& folder, int depth) {
    AddItem(std::string(static_cast<std::size_t>(depth * kIndent), ' ') + text);
    item_paths_.push_back(folder);
  };
  add("/", "/", 0);
  int depth = 0;
  for (std::size_t at = 1; at < path_.size();) {
    std::size_t slash = path_.find('/', at);
    if (slash == std::string::npos) slash = path_.size();
    add(path_.substr(at, slash - at), path_.substr(0, slash), ++depth);
    at = slash + 1;
  }
  const int current = ListCount() - 1;
  for (const std::string& name : *subfolders) add(name, JoinPath(path_, name), depth + 1);
  ListIndex = current;
  Change();
  return true;
}

std::string FolderList::ItemPath(int i) const {
  if (i < 0 || i >= static_cast<int>(item_paths_.size())) return "";
  return item_paths_[static_cast<std::size_t>(i)];
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  return !dir.empty() && dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace app
