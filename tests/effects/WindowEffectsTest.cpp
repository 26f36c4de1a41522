// Rounded region, gradient background and grow-in animation on real (offscreen) windows.
#include <gtest/gtest.h>

#include <QEvent>
#include <QTest>
#include <vector>

#include "effects/AlphaAnim.h"
#include "effects/GradientForm.h"
#include "host/forms/Form.h"

namespace {

// Records every geometry the window takes while visible.
class GeometryLog : public QObject {
 public:
  explicit GeometryLog(QWidget& w) : m_w(w) { w.installEventFilter(this); }
  std::vector<QRect> rects;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Resize) rects.push_back(m_w.geometry());
    return false;
  }

 private:
  QWidget& m_w;
};

std::unique_ptr<host::Form> form(int widthTwips, int heightTwips) {
  auto f = std::make_unique<host::Form>();
  f->Width(widthTwips);
  f->Height(heightTwips);
  f->Move(1500, 1500);
  return f;
}

TEST(AlphaAnimTest, GrowsFromTheCentreAndEndsAtTheOriginalGeometry) {
  auto f = form(4755, 3525);
  const QRect original = f->geometry();
  GeometryLog log(*f);
  AlphaAnim::AnimateForm(*f, 25, 1, "in");
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(f->geometry(), original);
  ASSERT_GE(log.rects.size(), 20u);
  EXPECT_LE(log.rects.front().width(), 317 / 25 + 1);
  for (std::size_t i = 1; i < log.rects.size(); ++i) {
    EXPECT_GE(log.rects[i].width(), log.rects[i - 1].width());
    EXPECT_LE(std::abs(log.rects[i].center().x() - original.center().x()), 1);
    EXPECT_LE(std::abs(log.rects[i].center().y() - original.center().y()), 1);
  }
}

TEST(AlphaAnimTest, OutShrinksTowardsTheCentreThenHidesAtTheOriginalGeometry) {
  auto f = form(4755, 3525);
  f->show();
  const QRect original = f->geometry();
  GeometryLog log(*f);
  AlphaAnim::AnimateForm(*f, 5, 0, "out");
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(f->geometry(), original);
  ASSERT_GE(log.rects.size(), 4u);
  EXPECT_LT(log.rects[3].width(), log.rects[0].width());
}

TEST(AlphaAnimTest, OtherEffectsAndNonNormalWindowsAreLeftAlone) {
  auto f = form(4755, 3525);
  f->show();
  const QRect original = f->geometry();
  GeometryLog log(*f);
  AlphaAnim::AnimateForm(*f, 25, 0, "IN");
  AlphaAnim::AnimateForm(*f, 0, 0, "in");
  EXPECT_TRUE(log.rects.empty());
  EXPECT_EQ(f->geometry(), original);
  f->setWindowState(Qt::WindowMinimized);
  AlphaAnim::AnimateForm(*f, 25, 0, "in");
  EXPECT_EQ(f->windowState(), Qt::WindowMinimized);
  f->setWindowState(Qt::WindowMaximized);
  AlphaAnim::AnimateForm(*f, 25, 0, "in");
  EXPECT_EQ(f->windowState(), Qt::WindowMaximized);
  EXPECT_TRUE(log.rects.size() <= 1u);  // at most the maximize itself
}

}  // namespace
