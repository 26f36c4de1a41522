#pragma once

#include <memory>

#include "host/forms/Form.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Timer.h"

class cLogo;

// What the about window asks of the window that opens it: its timers stopped while the about
// window is open and restored afterwards (as the owner's own state says), and its always-on-top
// state.
class AboutOwner {
 public:
  virtual ~AboutOwner() = default;
  virtual void stopTimers() = 0;
  virtual void restoreTimers() = 0;
  virtual bool onTopTicked() const = 0;
  virtual host::Form& ownerWindow() = 0;
};

// The about window: a rounded, grey-gradient window with a logo strip, a description, the
// authors and a short how-to; shown modally over its owner, optionally fading in and out.
class frm_about : public host::Form {
 public:
  explicit frm_about(AboutOwner& owner);
  ~frm_about() override;

  // 1 fade in; 2 fade out on closing; 3 both; anything else nothing. Before showing.
  void DialogAction(int dlgEffectsMethod);
  // Shows the window modally over its owner (input to the owner is blocked while it is open).
  void ShowModal();

  // The fade timer's tick (every 20 ms while a fade runs).
  void Timer1_Timer();

  host::Timer Timer1;
  host::ControlRef<host::PictureBox> picLogo2{*this, "picLogo2"};
  host::ControlRef<host::Label> Label1{*this, "Label1"};  // the how-to
  host::ControlRef<host::Label> Label2{*this, "Label2"};  // the description
  host::ControlRef<host::Label> Label3{*this, "Label3"};  // the authors
  host::ControlRef<host::Label> Label5{*this, "Label5"};  // "X"

  // The opacity last applied, 0..255 (255 for a window that never faded).
  int alpha() const { return m_alpha; }
  bool layered() const { return m_layered; }

  // Window events.
  void Form_Load();
  void Form_Resize();
  void Form_KeyPress(int& keyAscii);
  void Form_QueryUnload(bool& cancel, int mode);
  void Form_Unload();
  void Form_MouseMove(const host::MouseArgs& args);

 private:
  void makeLayered();
  void applyAlpha(int alpha);
  void dragOnLeftButton(const host::MouseArgs& args);

  AboutOwner& m_owner;
  std::unique_ptr<cLogo> logo;
  int fadeDirection = 0;
  int closeEffect = 0;
  int fadeLevel = 0;
  int m_alpha = 255;
  bool m_layered = false;
};
