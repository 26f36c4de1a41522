// The magnifier's popup menu, its factor and option items, and the zoom tick.
#include <QString>

#include "ColorPicker.h"
#include "ColorPickerLayout.h"
#include "host/core/InputCodes.h"
#include "host/forms/Label.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Pointer.h"
#include "host/forms/Shape.h"
#include "host/screen/ScreenSource.h"
#include "zoom/CZoom.h"

namespace {
int factorOf(int index) {
  return ColorPickerLayout::kZoomFactors[static_cast<std::size_t>(index)];
}
}  // namespace

void ColorPicker::buildMenu() {
  mnuPopup.Caption(QStringLiteral("Popup"));
  m_zoomMenu = &mnuPopup.addSubmenu(QStringLiteral("Zoom at cursor"), &mnuItem[0]);
  loadZoomItem();  // "1x"
  mnuItem[1] = &mnuPopup.addItem(QStringLiteral("ShowFullPixelsOnly"));
  mnuItem[2] = &mnuPopup.addItem(QStringLiteral("MouseCentered"));
  for (int i = 1; i <= 2; ++i) {
    host::MenuItem& item = *mnuItem[static_cast<std::size_t>(i)];
    item.Visible(false);
    item.Enabled(false);
    item.Click.connect([this, i] { mnuItem_Click(i); });
  }
}

void ColorPicker::loadZoomItem() {
  const int index = static_cast<int>(mnuZoom.size());
  host::MenuItem& item = m_zoomMenu->addItem(QStringLiteral("%1x").arg(factorOf(index)));
  item.Click.connect([this, index] { mnuZoom_Click(index); });
  mnuZoom.push_back(&item);
}

void ColorPicker::Form_MouseDown(const host::MouseArgs& args) {
  if (args.Button == host::kRightButton) mnuPopup.PopupAt(host::pointerPosition());
}

void ColorPicker::UncheckZoomItems() {
  for (host::MenuItem* item : mnuZoom)
    item->Checked(false);
}

void ColorPicker::mnuZoom_Click(int index) {
  Timer.Enabled(false);
  const int n = factorOf(index);
  UncheckZoomItems();
  mnuZoom[static_cast<std::size_t>(index)]->Checked(true);
  m_zoom->ZoomFactor(n);
  Pic_zoom->ToolTipText(QStringLiteral("%1x zoom at cursor").arg(n));
  lbl_zoom_size->Caption(QStringLiteral("Zoom (%1x)").arg(n));
  Timer.Enabled(true);
}

void ColorPicker::mnuItem_Click(int index) {
  if (index != 1 && index != 2) return;
  Timer.Enabled(false);
  host::MenuItem& item = *mnuItem[static_cast<std::size_t>(index)];
  item.Checked(!item.Checked());
  if (index == 1) {
    m_zoom->ShowFullPixelsOnly(item.Checked());
  } else {
    m_zoom->MouseCentered(item.Checked());
  }
  Timer.Enabled(true);
}

void ColorPicker::Timer_Timer() {
  if (!m_zoom) return;
  if (m_zoom->ZoomCanvas(*Pic_zoom)) {
    // Shown with the marker over it (the box's child); an unchanged image needs nothing.
    m_quietTicks = 0;
    return;
  }
  // The same pixels for a while: the ticks would paint nothing until the pointer moves or
  // something is drawn on the screen, so the clock rests until the source says one happened
  // (within a tick of raw motion or a drawing, within a readout tick of a warp).
  if (++m_quietTicks < kQuietTicksBeforeRest) return;
  // A wake for a drawing elsewhere brings one tick; if that paints nothing either, the clock
  // rests again at once.
  if (m_screen.wakeOnActivity([this] { Timer.Resume(); })) Timer.Suspend();
}
