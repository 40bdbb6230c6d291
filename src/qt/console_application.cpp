#include "console_application.h"

#include <QEvent>
#include <QMessageBox>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace qtui {

namespace {
constexpr std::size_t kNoEvent = static_cast<std::size_t>(-1);
}  // namespace

bool ConsoleApplication::notify(QObject* receiver, QEvent* event) {
  if (event->type() == QEvent::DeferredDelete && !delivering_.empty()) {
    const std::size_t depth = OutermostEventOf(*receiver);
    if (depth != kNoEvent) {
      held_.push_back({receiver, depth});
      return true;
    }
  }
  delivering_.push_back(receiver);
  const bool result = Deliver(receiver, event);
  delivering_.pop_back();
  // Posted again as deleteLater posts it, so that Qt deletes each at the
  // time its own rules give, now that its outermost event has returned.
  for (std::size_t i = 0; i < held_.size();) {
    if (held_[i].depth < delivering_.size()) {
      ++i;
      continue;
    }
    if (QObject* object = held_[i].object) QCoreApplication::postEvent(object, new QDeferredDeleteEvent());
    held_.erase(held_.begin() + static_cast<std::ptrdiff_t>(i));
  }
  return result;
}

bool ConsoleApplication::Deliver(QObject* receiver, QEvent* event) {
  std::string what;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    what = error.what();
  } catch (...) {
    what = "unknown fault";
  }
  std::fprintf(stderr, "vkx4700: internal error: %s\n", what.c_str());
  if (report_fault)
    report_fault(what);
  else
    QMessageBox::critical(nullptr, QStringLiteral("VKX-4700"),
                          QStringLiteral("Internal error: %1").arg(QString::fromLatin1(what.c_str())));
  return false;
}

namespace {

// `object` and every object inside it.
QList<QObject*> SelfAndInside(QObject& object) {
  QList<QObject*> inside = object.findChildren<QObject*>();
  inside.append(&object);
  return inside;
}

}  // namespace

std::size_t ConsoleApplication::OutermostEventOf(QObject& object) const {
  const QList<QObject*> inside = SelfAndInside(object);
  for (std::size_t i = 0; i < delivering_.size(); ++i)
    if (inside.contains(delivering_[i])) return i;
  return kNoEvent;
}

int ConsoleApplication::EventsInHand(QObject& object) const {
  const QList<QObject*> inside = SelfAndInside(object);
  return static_cast<int>(std::count_if(delivering_.begin(), delivering_.end(),
                                        [&](const QObject* r) { return inside.contains(r); }));
}

}  // namespace qtui
