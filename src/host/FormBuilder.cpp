#include "FormBuilder.h"

#include <QString>
#include <QVariant>

#include "CheckBox.h"
#include "Control.h"
#include "Fonts.h"
#include "FormData.h"
#include "Frame.h"
#include "PictureBox.h"
#include "Shape.h"
#include "TextBox.h"
#include "UserControl.h"

namespace host {

namespace {

constexpr const char* kIndexProperty = "controlIndex";

QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Graphical controls lie beneath windowed ones; shapes beneath labels.
int layerOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Shape:
      return 0;
    case ControlKind::Label:
      return 1;
    default:
      return 2;
  }
}

void applyFont(QWidget& w, const ControlStyle& s) {
  if (s.font) w.setFont(designFont(text(s.font->face), s.font->points, s.font->bold));
}

QWidget* create(const ControlSpec& spec, QWidget& parent, const FormData& stored) {
  static const ControlStyle kDefaults;
  const ControlStyle& s = spec.style != nullptr ? *spec.style : kDefaults;
  switch (spec.kind) {
    case ControlKind::Label: {
      auto* l = new Label(&parent);
      applyFont(*l, s);
      if (s.back) l->BackColor(*s.back);
      if (s.fore) l->ForeColor(*s.fore);
      if (s.transparent) l->BackStyle(Label::BackStyleKind::Transparent);
      if (s.align) l->Alignment(*s.align);
      if (s.border.value_or(false)) l->BorderStyle(Label::BorderStyleKind::FixedSingle);
      l->Caption(text(spec.text));
      return l;
    }
    case ControlKind::TextBox: {
      auto* t = new TextBox(&parent);
      applyFont(*t, s);
      if (s.back) t->BackColor(*s.back);
      if (s.fore) t->ForeColor(*s.fore);
      t->Locked(s.locked);
      t->Text(text(spec.text));
      return t;
    }
    case ControlKind::CheckBox: {
      auto* c = new CheckBox(&parent);
      applyFont(*c, s);
      if (s.back) c->BackColor(*s.back);
      if (s.fore) c->ForeColor(*s.fore);
      c->Caption(text(spec.text));
      c->Value(s.ticked ? 1 : 0);
      return c;
    }
    case ControlKind::PictureBox: {
      auto* p = new PictureBox(&parent);
      applyFont(*p, s);
      if (!s.border.value_or(true)) p->BorderStyle(PictureBox::BorderStyleKind::None);
      if (s.back) p->BackColor(*s.back);
      if (s.fore) p->ForeColor(*s.fore);
      return p;
    }
    case ControlKind::Shape: {
      auto* shape = new Shape(&parent);
      shape->BorderColor(s.fore.value_or(0));
      shape->BorderWidth(s.borderWidth);
      if (s.fill) {
        shape->Filled(true);
        shape->FillColor(*s.fill);
      }
      return shape;
    }
    case ControlKind::Frame: {
      auto* f = new Frame(&parent);
      applyFont(*f, s);
      if (s.back) f->BackColor(*s.back);
      if (s.fore) f->ForeColor(*s.fore);
      f->Caption(text(spec.text));
      return f;
    }
    case ControlKind::User: {
      if (spec.create == nullptr) return nullptr;
      UserControl* u = spec.create(&parent);
      // The control reads its name and size while it loads its properties.
      u->setObjectName(text(spec.name));
      placeTwips(*u, spec.rect);
      u->load(stored.bagFor(text(spec.section.empty() ? spec.name : spec.section)));
      return u;
    }
  }
  return nullptr;
}

void buildInto(QWidget& parent, std::string_view container, std::span<const ControlSpec> table,
               const FormData& stored) {
  for (int layer = 0; layer <= 2; ++layer) {
    for (const ControlSpec& spec : table) {
      if (spec.container != container || layerOf(spec.kind) != layer) continue;
      QWidget* w = create(spec, parent, stored);
      if (w == nullptr) {
        qWarning("layout: cannot create %s", qPrintable(text(spec.name)));
        continue;
      }
      w->setObjectName(text(spec.name));
      if (spec.index >= 0) w->setProperty(kIndexProperty, spec.index);
      if (!spec.tooltip.empty()) w->setToolTip(text(spec.tooltip));
      if (auto* shape = dynamic_cast<Shape*>(w)) {
        shape->place(spec.rect);
      } else {
        placeTwips(*w, spec.rect);
      }
      if (!spec.name.empty()) buildInto(*w, spec.name, table, stored);
    }
  }
}

}  // namespace

void buildControls(QWidget& window, std::span<const ControlSpec> table, const FormData& stored) {
  buildInto(window, {}, table, stored);
}

int controlIndex(const QWidget& control) {
  const QVariant v = control.property(kIndexProperty);
  return v.isValid() ? v.toInt() : -1;
}

QWidget* findControl(const QWidget& root, std::string_view name, int index) {
  for (QWidget* w : root.findChildren<QWidget*>(text(name))) {
    if (controlIndex(*w) == index) return w;
  }
  return nullptr;
}

}  // namespace host
