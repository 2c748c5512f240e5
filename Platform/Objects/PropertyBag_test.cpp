#include "PropertyBag.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(PropertyBag, ReadsKeysCaseInsensitivelyAndGivesDefaultsForAbsentOnes)
{
    PropertyBag bag;
    bag.WriteProperty("searchtext", Variant("Texto"));
    EXPECT_EQ(bag.ReadProperty("SearchText", "dflt"), Variant("Texto"));
    EXPECT_EQ(bag.ReadProperty("SEARCHTEXT"), Variant("Texto"));
    EXPECT_EQ(bag.ReadProperty("Other", 32), Variant(32));
    EXPECT_TRUE(bag.ReadProperty("Other").isEmpty());
}

TEST(PropertyBag, KeepsWritingOrderAndReplacesInPlace)
{
    PropertyBag bag;
    bag.WriteProperty("A", Variant(1));
    bag.WriteProperty("B", Variant(2));
    bag.WriteProperty("a", Variant(3));
    ASSERT_EQ(bag.entries().size(), 2u);
    EXPECT_EQ(bag.entries()[0].key, "A");
    EXPECT_EQ(bag.entries()[0].value, Variant(3));
    EXPECT_EQ(bag.entries()[1].key, "B");
}

TEST(PropertyBag, AValueEqualToTheGivenDefaultIsNotStored)
{
    PropertyBag bag;
    bag.WriteProperty("Count", Variant(7), Variant(7));
    EXPECT_FALSE(bag.contains("Count"));
    bag.WriteProperty("Count", Variant(8), Variant(7));
    EXPECT_TRUE(bag.contains("Count"));
    bag.WriteProperty("Count", Variant(7), Variant(7));
    EXPECT_FALSE(bag.contains("Count"));
    // Without a default every value is stored, the default's value included.
    bag.WriteProperty("Count", Variant(7));
    EXPECT_EQ(bag.ReadProperty("count"), Variant(7));
}

} // namespace
