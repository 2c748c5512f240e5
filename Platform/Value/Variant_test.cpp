#include "Variant.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(Variant, EachConstructorGivesItsKindAndTypeName)
{
    struct Case
    {
        Variant value;
        VariantKind kind;
        const char *typeName;
    };
    const Case cases[] = {
        {Variant(), VariantKind::Empty, "Empty"},
        {Variant::null(), VariantKind::Null, "Null"},
        {Variant(int16_t(1)), VariantKind::Integer, "Integer"},
        {Variant(1), VariantKind::Long, "Long"},
        {Variant(1.0f), VariantKind::Single, "Single"},
        {Variant(1.0), VariantKind::Double, "Double"},
        {Variant(Currency::fromRaw(1)), VariantKind::Currency, "Currency"},
        {Variant::date(1), VariantKind::Date, "Date"},
        {Variant("x"), VariantKind::String, "String"},
        {Variant(QString()), VariantKind::String, "String"},
        {Variant(true), VariantKind::Boolean, "Boolean"},
        {Variant(uint8_t(1)), VariantKind::Byte, "Byte"},
        {Variant::nothing(), VariantKind::Object, "Nothing"},
        {Variant::error(5), VariantKind::Error, "Error"},
        {Variant(std::vector<Variant> {}), VariantKind::Array, "Variant()"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.value.kind(), c.kind) << c.typeName;
        EXPECT_EQ(c.value.typeName(), QString::fromUtf8(c.typeName));
    }
}

TEST(Variant, EmptyAndTheEmptyStringDiffer)
{
    EXPECT_FALSE(Variant() == Variant(""));
    EXPECT_TRUE(Variant("") == Variant(QString()));
    EXPECT_TRUE(Variant().isEmpty());
    EXPECT_FALSE(Variant("").isEmpty());
}

TEST(Variant, BooleanTrueIsMinusOne)
{
    EXPECT_EQ(Variant(true).integerValue(), -1);
    EXPECT_EQ(Variant(false).integerValue(), 0);
    EXPECT_FALSE(Variant(true) == Variant(int16_t(-1))); // same bits, other kind
}

TEST(Variant, MissingIsTheOmittedArgumentError)
{
    EXPECT_TRUE(Variant::missing().isMissing());
    EXPECT_EQ(Variant::missing().kind(), VariantKind::Error);
    EXPECT_FALSE(Variant::error(5).isMissing());
    EXPECT_FALSE(Variant().isMissing());
}

TEST(Variant, ArraysCompareElementByElementAndShareNothingWithTheSource)
{
    std::vector<Variant> source {Variant("a"), Variant(1)};
    const Variant array(source);
    source[0] = Variant("changed");
    EXPECT_EQ(array.elements().size(), 2u);
    EXPECT_EQ(array.elements()[0], Variant("a"));
    EXPECT_EQ(array, Variant(std::vector<Variant> {Variant("a"), Variant(1)}));
    EXPECT_FALSE(array == Variant(std::vector<Variant> {Variant("a"), Variant(2)}));
}

} // namespace
