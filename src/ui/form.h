// A window of the console as a model: its documented controls are members,
// its event handlers are member functions. One default instance per form
// class lives in the console; Load, Show, Hide and Unload keep their
// original meanings, and a modal Show returns when the form hides or unloads.
#pragma once

#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/event.h"
#include "ui/picture.h"
#include "ui/property.h"

namespace ui {

class Runtime;

inline constexpr int vbNormal = 0;
inline constexpr int vbMinimized = 1;
inline constexpr int vbMaximized = 2;

// Why a form is unloading (QueryUnload's UnloadMode).
inline constexpr int vbFormControlMenu = 0;
inline constexpr int vbFormCode = 1;
inline constexpr int vbAppWindows = 2;
inline constexpr int vbFormMDIForm = 4;

// Border styles that tell the view what kind of window to make.
inline constexpr int vbBSNone = 0;
inline constexpr int vbFixedSingle = 1;
inline constexpr int vbSizable = 2;
inline constexpr int vbFixedDialog = 3;
inline constexpr int vbFixedToolWindow = 4;

// Follows a form (the Qt view of the form).
class FormObserver {
 public:
  virtual void FormChanged(Form& form, Prop which) = 0;
  virtual void ControlAdded(Control& control) = 0;
  virtual void ControlRemoved(Control& control) = 0;

 protected:
  ~FormObserver() = default;
};

class Form : public PropertyOwner, public Canvas {
 public:
  Form(Runtime& runtime, std::string name);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  const std::string& Name() const { return name_; }
  Runtime& Rt() const { return *runtime_; }

  Property<std::string> Caption{this, Prop::Caption};
  Property<int> Left{this, Prop::Geometry, 0};
  Property<int> Top{this, Prop::Geometry, 0};
  Property<int> Width{this, Prop::Geometry, 4800};
  Property<int> Height{this, Prop::Geometry, 3600};
  Property<int> WindowState{this, Prop::WindowState, vbNormal};
  Property<Color> BackColor{this, Prop::BackColor, kSystemButtonFace};
  Property<int> BorderStyle{this, Prop::Style, vbSizable};
  Property<ui::Picture> Picture{this, Prop::Picture};
  Property<bool> Enabled{this, Prop::Enabled, true};

  // Inner size (twips) as shown; the view reports it after layout (a change
  // runs Form_Resize).
  double ScaleWidth() const { return scale_width_ >= 0 ? scale_width_ : Width(); }
  double ScaleHeight() const { return scale_height_ >= 0 ? scale_height_ : Height(); }
  void SetScaleSize(double width, double height);

  bool IsMDIForm() const { return is_mdi_form_; }
  bool IsMDIChild() const { return mdi_child_; }
  bool Visible() const { return visible_; }
  bool IsLoaded() const { return loaded_; }
  bool IsModal() const { return modal_; }
  Form* OwnerForm() const { return owner_form_; }

  // Loads the form (its design state, then Form_Load) unless loaded.
  void Load();
  // Loads if needed and shows; modal: returns when the form hides or unloads.
  void Show(bool modal = false, Form* owner = nullptr);
  void Hide();
  // Visible = True shows the form (loading it), False hides it.
  void SetVisible(bool on) { on ? Show() : Hide(); }
  // Runs QueryUnload and Unload; returns false when a handler cancelled.
  bool Unload(int mode = vbFormCode);
  void Move(int left, int top, int width = -1, int height = -1);
  // Called from a load handler that found what it needs missing: the form
  // stays unloaded and hidden, and no unload handler runs.
  void AbandonLoad();
  void Refresh();
  void ZOrder();
  void SetFocus();

  // The operator closed the window with its close box.
  void UserClose() { Unload(vbFormControlMenu); }
  // The view tells the form it was resized by the operator or layout.
  void UserResized(int width, int height);
  // The view tells the form it became the active window.
  void UserActivated();

  const std::vector<Control*>& Controls() const { return controls_; }
  Control* FindControl(const std::string& name, int index = -1) const;

  void SetObserver(FormObserver* o) { observer_ = o; }
  FormObserver* Observer() const { return observer_; }

  // Bookkeeping called by controls and control arrays.
  void Register(Control* c);
  void Unregister(Control* c);
  void ControlAdded(Control& c);
  void ControlRemoved(Control& c);
  // The next number of Control::DesignOrder.
  int NextDesignOrder() { return next_design_order_++; }

  void PropertyChanged(Prop which) override;

  // Mouse and paint events of the form's own surface (twips).
  Event<int, int, double, double> MouseDown;
  Event<int, int, double, double> MouseUp;
  Event<int, int, double, double> MouseMove;
  Event<> DblClick;

 protected:
  void SetMDIForm() { is_mdi_form_ = true; }
  void SetMDIChild() { mdi_child_ = true; }

  // Design-time values of the controls; runs at every Load, before Form_Load.
  virtual void Design() {}
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_QueryUnload(int& /*cancel*/, int /*unload_mode*/) {}
  virtual void Form_Unload(int& /*cancel*/) {}
  virtual void Form_Resize() {}

 private:
  void ResizedIfChanged();
  Runtime* runtime_;
  std::string name_;
  std::vector<Control*> controls_;
  FormObserver* observer_ = nullptr;
  bool visible_ = false;
  bool loaded_ = false;
  bool modal_ = false;
  bool is_mdi_form_ = false;
  bool mdi_child_ = false;
  Form* owner_form_ = nullptr;
  int next_design_order_ = 0;
  int last_width_ = -1;
  int last_height_ = -1;
  double scale_width_ = -1;
  double scale_height_ = -1;
};

}  // namespace ui
