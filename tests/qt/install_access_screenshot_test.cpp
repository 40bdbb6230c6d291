// Pictures of every page of the installation screen with its levels locked
// and unlocked, and of the password dialog, for people to look at
// (artifacts/screens). Locked rows take no arrow clicks; an unlocked row
// whose value was changed offers its "S" button beside it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>

#include "app/console.h"
#include "console_harness.h"
#include "dump_loader.h"
#include "link/settings_access.h"
#include "link/status_parsers.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_tcp_client.h"
#include "qt_test_support.h"
#include "temp_folder.h"
#include "unit/access_levels.h"
#include "unit/frm_install.h"
#include "unit/frm_security.h"

#include "screenshot_support.h"

namespace qttest {
namespace {

struct SessionConsole : OfflineQtConsole {
  SessionConsole() {
    // A text unit as after a session's dump and status.
    EXPECT_EQ(testkit::LoadTextDump(console, testkit::PlainDump(testkit::SampleParameters(3, 18, 2))),
              "");
    console.st.RxBuffer = "U 26/03/02 5 10:04:07 1 5124 183 67 25 31 16 32 0";
    lnk::ParseUReply(console);
    console.st.RxBuffer = "V 0 0 1 0 0 12550 4830 2210";
    lnk::ParseVReply(console);
    console.st.Online = true;
  }
};

void Shoot(qtui::QtRuntime& rt, ui::Form& f, const std::string& name) {
  SaveWindowShot(rt, f, name);
}

void ShootPages(SessionConsole& q, const std::string& state) {
  static constexpr const char* kNames[] = {"factory", "install", "controls", "memory", "status"};
  unit::frmInstall& f = q.console.Get<unit::frmInstall>();
  for (int page = unit::kPageFactory; page <= unit::kPageStatus; ++page) {
    q.console.st.InstallPage = page;
    for (auto& [index, frame] : f.fInstall) frame->Visible = index == page;
    f.cmdLock.Visible = page != unit::kPageMemory;
    if (!f.Visible()) f.Show();
    Shoot(q.rt, f, std::string("install_") + kNames[page] + "_" + state);
  }
}

// Both arrows of a spinner's view, for checking what the operator can click.
bool ArrowsClickable(qtui::QtRuntime& rt, const ui::UpDown& spinner) {
  QWidget* widget = WidgetOf<QWidget>(rt, spinner);
  if (widget == nullptr) return false;
  for (QToolButton* arrow : widget->findChildren<QToolButton*>())
    if (!arrow->isEnabled()) return false;
  return true;
}

TEST(InstallAccessScreenshot, EveryPageLockedThenUnlocked) {
  SessionConsole q;
  app::Console& c = q.console;
  unit::frmInstall& f = c.Get<unit::frmInstall>();
  f.cmdLock.Caption = "Unlock";
  ShootPages(q, "locked");
  EXPECT_FALSE(ArrowsClickable(q.rt, f.udProp[27]));
  EXPECT_EQ(f.txtProp[82].Text(), "??");

  for (auto level : {unit::AccessLevel::Controls, unit::AccessLevel::Install,
                     unit::AccessLevel::Factory})
    unit::UnlockLevel(c, level);
  f.cmdLock.Caption = "Lock";
  // One changed value on each page with rows: its send button shows.
  f.udProp[27].PressUp();
  f.udProp[9].PressUp();
  f.udProp[89].PressUp();
  f.udDate[3].PressUp();
  f.cmdResetAH.Enabled = true;
  ShootPages(q, "unlocked");
  EXPECT_TRUE(ArrowsClickable(q.rt, f.udProp[27]));
  EXPECT_TRUE(f.cmdProp[27].Visible());
  EXPECT_FALSE(f.cmdProp[28].Visible());
}

TEST(InstallAccessScreenshot, PasswordDialog) {
  SessionConsole q;
  q.console.st.CurrentKey = "Install";
  auto& dialog = q.console.Get<unit::frmSecurity>();
  dialog.udComb[1].PressUp();
  dialog.Show();
  const WindowShot shot = SaveWindowShot(q.rt, dialog, "security");
  EXPECT_EQ(shot.window->windowTitle().toStdString(), dialog.Caption());
  for (const char* caption : {"Enter password:", "OK", "Cancel", "01"}) ExpectTextShown(shot, caption);
  EXPECT_EQ(dialog.txtComb[1].Text(), "01");
  dialog.Unload();
}

// The box's picture under a title bar drawn as a window frame draws one: the
// window's icon on the left, three buttons on the right, the title in a bold
// face between them, cut with "..." where it does not fit. The title as
// drawn is returned.
QString UnderFrameTitle(QImage& picture, const QString& title) {
  constexpr int kBar = 28, kIcon = 24, kButton = 28, kPad = 8;
  QImage framed(picture.width(), picture.height() + kBar, QImage::Format_ARGB32);
  framed.fill(QColor(60, 60, 60));
  QPainter p(&framed);
  p.drawImage(0, kBar, picture);
  p.fillRect(kPad, 2, kIcon, kIcon, QColor(200, 160, 60));
  for (int i = 1; i <= 3; ++i)
    p.fillRect(framed.width() - i * kButton, 4, kButton - 6, kBar - 8, QColor(120, 120, 120));
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  const int left = kPad + kIcon + kPad;
  const int room = framed.width() - 3 * kButton - kPad - left;
  const QString shown = QFontMetrics(font).elidedText(title, Qt::ElideRight, room);
  p.drawText(QRect(left, 0, room, kBar), Qt::AlignVCenter | Qt::AlignLeft, shown);
  p.end();
  picture = framed;
  return shown;
}

// A wrong combination's message box is wide enough for its whole title in
// the window frame, not only for its short text.
TEST(InstallAccessScreenshot, PasswordErrorBoxShowsItsWholeTitle) {
  SessionConsole q;
  q.console.st.CurrentKey = "Install";
  auto& dialog = q.console.Get<unit::frmSecurity>();
  dialog.Show();
  dialog.txtComb[0].Text = "98";  // the sample unit's is 12 34 56
  QString title, text, drawn;
  QImage picture;
  std::function<void()> answer = [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return QTimer::singleShot(20, answer);
    title = box->windowTitle();
    text = box->text();
    picture = box->grab().toImage();
    drawn = UnderFrameTitle(picture, title);
    box->accept();
  };
  QTimer::singleShot(0, answer);
  dialog.cmdOK.Press();
  EXPECT_EQ(title.toStdString(), "Password Error");
  EXPECT_EQ(text.toStdString(), "Invalid Password ");
  ASSERT_FALSE(picture.isNull());
  EXPECT_TRUE(picture.save(ScreensDir() + "/password_error.png"));
  EXPECT_EQ(drawn.toStdString(), title.toStdString())
      << "the frame cuts the title of a box " << picture.width() << " wide";
  dialog.Unload();
}

}  // namespace
}  // namespace qttest
