// A control array: elements under one name, addressed by index, loaded at
// design time or by the program (Load udProp(n)). Elements are never moved,
// so references to them stay valid until they are unloaded.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "ui/form.h"

namespace ui {

template <class T>
class ControlArray {
 public:
  ControlArray(Form& owner, std::string name, Control* container = nullptr)
      : owner_(&owner), name_(std::move(name)), container_(container) {}
  ControlArray(const ControlArray&) = delete;
  ControlArray& operator=(const ControlArray&) = delete;

  // Runs for every element as it is loaded: the form binds its events here.
  std::function<void(T&, int)> OnLoaded;

  // Loads element index (returns the existing one when it is there already).
  T& Load(int index, Control* container = nullptr) {
    auto it = items_.find(index);
    if (it != items_.end()) return *it->second;
    auto element = std::make_unique<T>(*owner_, name_, index, container ? container : container_);
    T& ref = *element;
    items_.emplace(index, std::move(element));
    if (OnLoaded) OnLoaded(ref, index);
    owner_->ControlAdded(ref);
    return ref;
  }
  void Unload(int index) {
    auto it = items_.find(index);
    if (it == items_.end()) return;
    owner_->ControlRemoved(*it->second);
    items_.erase(it);
  }
  void Clear() {
    while (!items_.empty()) Unload(items_.begin()->first);
  }

  bool Exists(int index) const { return items_.count(index) != 0; }
  T* Find(int index) {
    auto it = items_.find(index);
    return it == items_.end() ? nullptr : it->second.get();
  }
  const T* Find(int index) const {
    auto it = items_.find(index);
    return it == items_.end() ? nullptr : it->second.get();
  }
  // The element must exist (the original stopped with "Control array element
  // doesn't exist"); use Find where an element may be absent.
  T& operator[](int index) {
    if (T* p = Find(index)) return *p;
    throw std::out_of_range(name_ + "(" + std::to_string(index) + ") does not exist");
  }
  const T& operator[](int index) const {
    if (const T* p = Find(index)) return *p;
    throw std::out_of_range(name_ + "(" + std::to_string(index) + ") does not exist");
  }

  int Count() const { return static_cast<int>(items_.size()); }
  int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
  int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
  const std::string& Name() const { return name_; }

  // Iterates in index order: for (auto& [index, element] : array).
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  Form* owner_;
  std::string name_;
  Control* container_;
  std::map<int, std::unique_ptr<T>> items_;
};

}  // namespace ui
