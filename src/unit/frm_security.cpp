#include "unit/frm_security.h"

#include <array>
#include <string>

#include "app/console.h"
#include "app/frm_debug.h"
#include "app/frm_main.h"
#include "common/vb.h"
#include "link/settings_access.h"
#include "unit/access_levels.h"
#include "unit/frm_install.h"

namespace unit {

namespace {
std::string TwoDigits(int value) {
  const std::string digits = vb::CStr(value);
  return digits.size() == 1 ? "0" + digits : digits;
}
}  // namespace

frmSecurity::frmSecurity(app::Console& c) : ui::Form(c.rt, "frmSecurity"), c_(c) {
  for (int i = 0; i <= 2; ++i) {
    ui::TextBox& field = txtComb.Load(i);
    field.GotFocus = [this, i] { txtComb_GotFocus(i); };
    field.LostFocus = [this, i] { txtComb_LostFocus(i); };
    udComb.Load(i).Change = [this, i] { udComb_Change(i); };
  }
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmSecurity::Design() {
  Caption = "Security";
  BorderStyle = ui::vbFixedDialog;
  Move(3000, 3000, 4200, 2100);
  lblSecurity.Caption = "Enter password:";
  lblSecurity.Move(240, 240, 3600, 255);
  for (int i = 0; i <= 2; ++i) {
    udComb[i].Min = 0;
    udComb[i].Max = 99;
    udComb[i].Value = 0;
    udComb[i].Move(840 + i * 1200, 600, 255, 315);
    txtComb[i].Text = "00";
    txtComb[i].MaxLength = 2;
    txtComb[i].Move(240 + i * 1200, 600, 600, 315);
  }
  cmdOK.Caption = "&OK";
  cmdOK.Default = true;
  cmdOK.Move(840, 1140, 1215, 375);
  cmdCancel.Caption = "&Cancel";
  cmdCancel.Cancel = true;
  cmdCancel.Move(2160, 1140, 1215, 375);
}

void frmSecurity::txtComb_GotFocus(int Index) {
  txtComb[Index].SelStart = 0;
  txtComb[Index].SelLength = static_cast<int>(txtComb[Index].Text().size());
}

void frmSecurity::txtComb_LostFocus(int Index) {
  if (txtComb[Index].Text().size() == 1) txtComb[Index].Text = "0" + txtComb[Index].Text();
}

void frmSecurity::udComb_Change(int Index) { txtComb[Index].Text = TwoDigits(udComb[Index].Value()); }

void frmSecurity::cmdOK_Click() {
  // The demonstration mode never unlocks anything.
  if (lnk::SettingValue(c_, "chkDemo") == 1) return cmdCancel_Click();
  const AccessLevel level = LevelOfKey(c_.st.CurrentKey);
  std::array<int, 3> expected{};
  bool match = ExpectedCombination(c_, level, expected);
  // Compared by value: 7 and 07 are equal; a field that is no number is 0.
  for (int i = 0; i < 3 && match; ++i)
    match = vb::Val(txtComb[i].Text()) == expected[static_cast<std::size_t>(i)];
  if (level == AccessLevel::Terminal) {
    Unload();
    if (!match) return;  // the terminal stays closed, without a word
    c_.st.DebugEcho = true;
    c_.Get<app::frmDebug>().Show();
    return;
  }
  if (!match) {
    c_.rt.MsgBox("Invalid Password ", ui::vbOKOnly, "Password Error");
    return;  // the dialog stays open with the fields as typed
  }
  UnlockLevel(c_, level);
  ShowRequestedPage(c_, "Lock");
}

void frmSecurity::cmdCancel_Click() {
  const AccessLevel level = LevelOfKey(c_.st.CurrentKey);
  if (level == AccessLevel::Terminal) {
    Unload();
    return;
  }
  ShowRequestedPage(c_, level == AccessLevel::Controls ? "Unlock" : "Lock");
  c_.Get<frmInstall>().cmdLock.Visible = true;
}

}  // namespace unit
