#pragma once

#include <QImage>
#include <QPainter>
#include <functional>
#include <utility>
#include <vector>

#include "host/screen/ScreenSource.h"

// A screen made of one image whose top-left pixel sits at `origin` on the virtual desktop, and
// a cursor that tests put where they like. Points off the image read as the invalid color. The
// monitors default to one covering the image; tests may lay out others, the first being the
// primary one (by default the primary monitor's corner is the desktop's origin). Moving the
// pointer moves the cursor.
class FakeScreenSource final : public host::ScreenSource {
 public:
  explicit FakeScreenSource(QImage image = QImage(), QPoint origin = QPoint(0, 0))
      : m_image(std::move(image).convertToFormat(QImage::Format_RGB32)), m_origin(origin) {}

  void setCursor(QPoint p) { m_cursor = p; }
  void setImage(QImage image) { m_image = std::move(image).convertToFormat(QImage::Format_RGB32); }
  // Fills the whole image with one color (a ColorRef).
  void fill(host::ColorRef c) { m_image.fill(QColor::fromRgb(host::toRgb24(c) | 0xFF000000u)); }
  void setMonitors(std::vector<QRect> monitors) { m_monitors = std::move(monitors); }
  int grabs() const { return m_grabs; }
  // Whether wake requests are taken; activity() answers a waiting one.
  void setWakes(bool on) { m_wakes = on; }
  bool waking() const { return static_cast<bool>(m_wake); }
  void activity() { std::exchange(m_wake, nullptr)(); }

  // Every read of the pointer calls `fail` first (which may throw), until it is cleared.
  void failReads(std::function<void()> fail) { m_fail = std::move(fail); }

  QPoint cursorPos() override {
    if (m_fail) m_fail();
    return m_cursor;
  }

  QRect primaryGeometry() override {
    return m_monitors.empty() ? QRect(QPoint(0, 0), m_image.size()) : m_monitors.front();
  }

  bool movePointerBy(QPoint delta) override {
    m_cursor += delta;
    return true;
  }

  host::ColorRef pixel(QPoint p) override {
    const QPoint local = p - m_origin;
    if (!m_image.valid(local)) return host::kInvalidColor;
    return host::fromRgb24(m_image.pixel(local) & 0xFFFFFFu);
  }

  std::optional<QRect> screenGeometryAt(QPoint p) override {
    if (m_monitors.empty()) {
      const QRect all(m_origin, m_image.size());
      if (all.contains(p)) return all;
      return std::nullopt;
    }
    for (const QRect& m : m_monitors) {
      if (m.contains(p)) return m;
    }
    return std::nullopt;
  }

  bool wakeOnActivity(std::function<void()> wake) override {
    m_wake = m_wakes ? std::move(wake) : nullptr;
    return m_wake != nullptr;
  }

  QImage grab(const QRect& r) override {
    ++m_grabs;
    QImage out(r.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    p.drawImage(m_origin - r.topLeft(), m_image);
    return out;
  }

 private:
  QImage m_image;
  QPoint m_origin;
  QPoint m_cursor;
  std::vector<QRect> m_monitors;
  int m_grabs = 0;
  std::function<void()> m_fail;
  bool m_wakes = false;
  std::function<void()> m_wake;
};
