// A folder list (the picker's Dir1): the folders from the root down to the
// current one, each a step further in, then the current folder's subfolders
// one step further still. Double-clicking a folder makes it the current one.
#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

namespace app {

class FolderList : public ui::ListBox {
 public:
  FolderList(ui::Form& owner, std::string name);

  const std::string& Path() const { return path_; }
  // Shows path and raises Change; false (nothing changed) when the folder
  // cannot be read.
  bool SetPath(const std::string& path);
  // The folder item i stands for ("" outside the list).
  std::string ItemPath(int i) const;

  ui::Event<> Change;

 private:
  std::string path_;
  std::vector<std::string> item_paths_;
};

// dir and name joined by one "/" (none added after the root's).
std::string JoinPath(const std::string& dir, const std::string& name);

}  // namespace app
