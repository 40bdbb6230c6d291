#include "qt/mdi_host.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

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
  // The program's icon, or none: not the style's stand-in logo.
  QIcon icon = QApplication::windowIcon();
  if (icon.isNull()) {
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    icon = QIcon(blank);
  }
  sub->setWindowIcon(icon);
  return sub;
}

}  // namespace qtui
