#include "Guid.h"

#include <gtest/gtest.h>

using platform::Guid;

namespace {

TEST(Guid, PrintsAndParsesBack)
{
    const Guid guid = Guid::fromString("{5e1f3a10-0c4b-4d2e-9a61-3b7c0d8e1f01}");
    EXPECT_EQ(guid.toString(), "{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F01}");
    EXPECT_EQ(Guid::parse(guid.toString()), guid);
    const Guid random = Guid::createRandom();
    EXPECT_FALSE(random.isNull());
    EXPECT_EQ(Guid::parse(random.toString()), random);
    EXPECT_NE(Guid::createRandom(), random);
}

TEST(Guid, RefusesMalformedTexts)
{
    const char *texts[] = {"", "5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F01",
        "{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F0}", "{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F011}",
        "{5E1F3A10x0C4B-4D2E-9A61-3B7C0D8E1F01}", "{5E1F3A1G-0C4B-4D2E-9A61-3B7C0D8E1F01}",
        "{+E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F01}", "{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F01"};
    for (const char *text : texts)
        EXPECT_FALSE(Guid::parse(QString::fromLatin1(text))) << text;
}

} // namespace
