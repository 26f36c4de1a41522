// The picker's stored slider instances, loaded from its stored form data.
#include <gtest/gtest.h>

#include "controls/slider/HSliderBar.h"
#include "host/forms/FormData.h"
#include "host/forms/PropertyBag.h"

namespace {

TEST(StoredSlidersTest, ThePickersStoredInstancesLoadAtTheirSize) {
  const host::FormData data = host::FormData::load(QStringLiteral(":/forms/ColorPicker.txt"));
  ASSERT_TRUE(data.problems().empty());
  const struct {
    const char* section;
    QSize size;
  } instances[] = {{"hsbRGB(0)", {158, 14}},
                   {"hsbRGB(1)", {158, 14}},
                   {"hsbRGB(2)", {158, 14}},
                   {"hsbShade", {201, 14}}};
  for (const auto& [section, size] : instances) {
    const host::PropertyBag* bag = data.bagFor(QString::fromLatin1(section));
    ASSERT_NE(bag, nullptr) << section;
    auto s = std::make_unique<HSliderBar>(nullptr);
    s->load(bag);
    EXPECT_EQ(s->size(), size) << section;
    EXPECT_EQ(s->Max(), 255) << section;
    EXPECT_EQ(s->BackColor(), 1u) << section;
    EXPECT_EQ(s->BorderStyle(), 0) << section;
    EXPECT_EQ(s->Style(), 1) << section;
    EXPECT_EQ(s->CueWidth(), 10) << section;
    EXPECT_EQ(s->CueHeight(), 14) << section;
    EXPECT_TRUE(bag->problems().empty()) << section;
    // The track tiles cover the whole width, the last column included: the light-blue band.
    EXPECT_EQ(s->buffer().pixel(size.width() - 1, 0) & 0xFFFFFFu, 0xA9D3F5u) << section;
  }
}

}  // namespace
