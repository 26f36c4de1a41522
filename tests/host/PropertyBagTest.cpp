#include <gtest/gtest.h>

#include "host/forms/FormData.h"
#include "host/forms/PropertyBag.h"

namespace {

using host::PropertyBag;
using host::PropertyValue;

struct ConvertCase {
  const char* what;
  PropertyValue stored;
  PropertyValue like;
  std::optional<PropertyValue> out;
};

class Conversions : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(Conversions, ToTheDefaultsKind) {
  EXPECT_EQ(host::convertLike(GetParam().stored, GetParam().like), GetParam().out);
}

// (Numbers too large and texts that are no number are read by the slider's stored-value test.)
INSTANTIATE_TEST_SUITE_P(
    Table, Conversions,
    ::testing::Values(
        ConvertCase{"singleTieToEven", 2.5f, std::int32_t{0}, PropertyValue{std::int32_t{2}}},
        ConvertCase{"singleTieUp", 3.5f, std::int16_t{0}, PropertyValue{std::int16_t{4}}},
        ConvertCase{"trueIsMinusOne", true, std::int32_t{0}, PropertyValue{std::int32_t{-1}}},
        ConvertCase{"nonZeroIsTrue", std::int32_t{7}, false, PropertyValue{true}},
        ConvertCase{"textNumber", QStringLiteral(" 42 "), std::int32_t{0},
                    PropertyValue{std::int32_t{42}}},
        ConvertCase{"textTrue", QStringLiteral("true"), false, PropertyValue{true}},
        ConvertCase{"fontAsNumber", host::FontValue{}, std::int32_t{0}, std::nullopt},
        ConvertCase{"numberAsText", std::int32_t{5}, QString(),
                    PropertyValue{QStringLiteral("5")}}),
    [](const auto& param_info) { return std::string(param_info.param.what); });

// Numbers, hexadecimal values and True as the picker's own stored data writes them are read by
// its layout test; here, the forms it does not use.
TEST(FormDataTest, ParsesSectionsAndEveryValueKind) {
  const host::FormData data =
      host::FormData::parse(QStringLiteral("# comment\n"
                                           "[btn_Mixer]\n"
                                           "Caption = \"Say \"\"hi\"\" »»»\"\n"
                                           "Neg = -12\n"
                                           "Size = 8.25\n"
                                           "Font = Font(\"Tahoma\", 8.25, Bold Italic)\n"
                                           "Picture = Picture(\":/icons/x.png\")\n"
                                           "[Other]\n"
                                           "Style = 1\n"));
  EXPECT_TRUE(data.problems().empty());
  const PropertyBag* bag = data.bagFor(QStringLiteral("BTN_MIXER"));
  ASSERT_NE(bag, nullptr);
  EXPECT_EQ(bag->readText(QStringLiteral("Caption"), {}), QStringLiteral("Say \"hi\" »»»"));
  EXPECT_EQ(bag->readLong(QStringLiteral("Neg"), 0), -12);
  EXPECT_FLOAT_EQ(bag->readSingle(QStringLiteral("Size"), 0), 8.25f);
  EXPECT_EQ(bag->readFont(QStringLiteral("Font"), {}),
            (host::FontValue{QStringLiteral("Tahoma"), 8.25, true, true}));
  EXPECT_EQ(bag->readPicture(QStringLiteral("Picture"), {}).path, QStringLiteral(":/icons/x.png"));
  EXPECT_EQ(data.bagFor(QStringLiteral("other"))->readLong(QStringLiteral("Style"), 0), 1);
  EXPECT_EQ(data.bagFor(QStringLiteral("missing")), nullptr);
}

// The font form: a quoted name with doubled quotes, a decimal size, optional flag words.
TEST(FormDataTest, ReadsTheFontFormAndRejectsEverythingElse) {
  struct Case {
    const char* args;
    std::optional<host::FontValue> want;
  };
  const host::FontValue wide{QStringLiteral("A \"q\" B"), 10, false, true};
  const std::vector<Case> cases = {
      {R"( "A ""q"" B" , 10 , Italic )", wide},
      {R"("T",8.25)", host::FontValue{QStringLiteral("T"), 8.25}},
      {R"("T", 8,)", host::FontValue{QStringLiteral("T"), 8}},
      {R"("T", 8, bold underline)", host::FontValue{QStringLiteral("T"), 8, true, false, true}},
      {R"(T, 8)", std::nullopt},
      {R"("T")", std::nullopt},
      {R"("T", 8 Bold)", std::nullopt},
      {R"("T", 8, Bold1)", std::nullopt},
      {R"("T", 8, Heavy)", std::nullopt},
      {R"("T, 8)", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto value =
        host::parsePropertyValue(QStringLiteral("Font(%1)").arg(QString::fromUtf8(c.args)));
    if (!c.want) {
      EXPECT_FALSE(value.has_value()) << c.args;
      continue;
    }
    ASSERT_TRUE(value.has_value()) << c.args;
    EXPECT_EQ(std::get<host::FontValue>(*value), *c.want) << c.args;
  }
}

TEST(FormDataTest, MalformedLinesAreReportedAndFallBackToDefaults) {
  const host::FormData data =
      host::FormData::parse(QStringLiteral("Orphan = 1\n"
                                           "[btn]\n"
                                           "Caption = \"unterminated\n"
                                           "Style = 3x\n"
                                           "Back = &HFFFFFFFFF&\n"
                                           "Font = Font(Tahoma, 8)\n"
                                           "no equals sign\n"
                                           "[]\n"
                                           "Good = 5\n"));
  EXPECT_EQ(data.problems().size(), 8u);
  const PropertyBag* bag = data.bagFor(QStringLiteral("btn"));
  ASSERT_NE(bag, nullptr);
  EXPECT_EQ(bag->readText(QStringLiteral("Caption"), QStringLiteral("dflt")),
            QStringLiteral("dflt"));
  EXPECT_EQ(bag->readLong(QStringLiteral("Style"), 0), 0);
  EXPECT_EQ(bag->readLong(QStringLiteral("Back"), 9), 9);
  EXPECT_FALSE(bag->contains(QStringLiteral("Good")));  // the nameless section is skipped
}

}  // namespace
