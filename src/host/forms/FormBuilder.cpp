#include "host/forms/FormBuilder.h"

#include <QString>
#include <QVariant>
#include <vector>

#include "host/draw/Fonts.h"
#include "host/forms/AccessibleChanges.h"
#include "host/forms/CheckBox.h"
#include "host/forms/Control.h"
#include "host/forms/FormData.h"
#include "host/forms/Frame.h"
#include "host/forms/PictureBox.h"
#include "host/forms/Shape.h"
#include "host/forms/TextBox.h"
#include "host/forms/UserControl.h"

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

// A new control of type T with the style's font and colors.
template <class T>
T* styled(QWidget& parent, const ControlStyle& s) {
  auto* c = new T(&parent);
  if (s.font) c->setFont(designFont(text(s.font->face), s.font->points, s.font->bold));
  if (s.back) c->BackColor(*s.back);
  if (s.fore) c->ForeColor(*s.fore);
  return c;
}

QWidget* create(const ControlSpec& entry, QWidget& parent, const FormData& stored) {
  static const ControlStyle kDefaults;
  const ControlStyle& s = entry.style != nullptr ? *entry.style : kDefaults;
  switch (entry.kind) {
    case ControlKind::Label: {
      auto* l = styled<Label>(parent, s);
      if (s.transparent) l->BackStyle(Label::BackStyleKind::Transparent);
      if (s.align) l->Alignment(*s.align);
      if (s.border.value_or(false)) l->BorderStyle(Label::BorderStyleKind::FixedSingle);
      l->setSwatch(s.swatch);
      l->Caption(text(entry.text));
      return l;
    }
    case ControlKind::TextBox: {
      auto* t = styled<TextBox>(parent, s);
      t->Locked(s.locked);
      t->Text(text(entry.text));
      return t;
    }
    case ControlKind::CheckBox: {
      auto* c = styled<CheckBox>(parent, s);
      c->Caption(text(entry.text));
      c->Value(s.ticked ? 1 : 0);
      return c;
    }
    case ControlKind::PictureBox: {
      auto* p = styled<PictureBox>(parent, s);
      if (!s.border.value_or(true)) p->BorderStyle(PictureBox::BorderStyleKind::None);
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
      auto* f = styled<Frame>(parent, s);
      f->Caption(text(entry.text));
      return f;
    }
    case ControlKind::User: {
      if (entry.create == nullptr) return nullptr;
      UserControl* u = entry.create(&parent);
      // The control reads its name and size while it loads its properties.
      u->setObjectName(text(entry.name));
      placeTwips(*u, entry.rect);
      u->load(stored.bagFor(text(entry.section.empty() ? entry.name : entry.section)));
      return u;
    }
  }
  return nullptr;
}

void buildInto(QWidget& parent, std::string_view container, std::span<const ControlSpec> table,
               const FormData& stored) {
  for (int layer = 0; layer <= 2; ++layer) {
    for (const ControlSpec& entry : table) {
      if (entry.container != container || layerOf(entry.kind) != layer) continue;
      QWidget* w = create(entry, parent, stored);
      if (w == nullptr) {
        qWarning("layout: cannot create %s", qPrintable(text(entry.name)));
        continue;
      }
      w->setObjectName(text(entry.name));
      if (entry.index >= 0) w->setProperty(kIndexProperty, entry.index);
      if (!entry.tooltip.empty()) w->setToolTip(text(entry.tooltip));
      if (entry.style != nullptr && entry.style->decoration) accessibility::markDecoration(*w);
      if (auto* shape = dynamic_cast<Shape*>(w)) {
        shape->place(entry.rect);
      } else {
        placeTwips(*w, entry.rect);
      }
      if (!entry.name.empty()) buildInto(*w, entry.name, table, stored);
    }
  }
}

}  // namespace

void buildControls(QWidget& window, std::span<const ControlSpec> table, const FormData& stored) {
  buildInto(window, {}, table, stored);
}

void buildControls(QWidget& window, std::initializer_list<std::span<const ControlSpec>> tables,
                   const FormData& stored) {
  std::vector<ControlSpec> all;
  for (const auto& table : tables)
    all.insert(all.end(), table.begin(), table.end());
  buildInto(window, {}, all, stored);
}

void linkCaptions(QWidget& window, std::span<const CaptionLink> links) {
  for (const CaptionLink& link : links) {
    auto* caption = findControl<Label>(window, link.caption, link.captionIndex);
    QWidget* control = findControl(window, link.control, link.index);
    if (caption == nullptr || control == nullptr) {
      qFatal("caption link %s -> %s: no such control", qPrintable(text(link.caption)),
             qPrintable(text(link.control)));
    }
    caption->captions(*control, link.use);
  }
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
