// An event of a control: a handler the form binds, raised by the model.
// Raising an event without a handler does nothing, as in the original.
#pragma once

#include <functional>
#include <utility>

namespace ui {

template <class... Args>
class Event {
 public:
  Event() = default;
  template <class F>
  Event& operator=(F&& f) {
    handler_ = std::forward<F>(f);
    return *this;
  }
  void operator()(Args... args) const {
    if (handler_) handler_(std::forward<Args>(args)...);
  }
  explicit operator bool() const { return static_cast<bool>(handler_); }

 private:
  std::function<void(Args...)> handler_;
};

}  // namespace ui
