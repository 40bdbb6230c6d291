#include "qt/mdi_host.h"

namespace qtui {

QMdiArea* MakeMdiArea(QWidget* parent, std::function<void(QWidget*)> on_child_activated) {
  auto* area = new QMdiArea(parent);
  area->setObjectName(QStringLiteral("mdiArea"));
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QObject::connect(area, &QMdiArea::subWindowActivated, area,
                   [on_child_activated = std::move(on_child_activated)](QMdiSubWindow* sub) {
                     if (sub != nullptr && sub->widget() != nullptr && on_child_activated)
                       on_child_activated(sub->widget());
                   });
  return area;
}

QMdiSubWindow* AddMdiChild(QMdiArea& area, QWidget& form_window) {
  QMdiSubWindow* sub = area.addSubWindow(&form_window);
  sub->setAttribute(Qt::WA_DeleteOnClose, false);
  return sub;
}

}  // namespace qtui
