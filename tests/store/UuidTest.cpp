#include "widget/store/Uuid.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

// Random ids are version 4 of the RFC 4122 variant, and every other bit is
// drawn afresh: across many ids, no two nibbles move in step.
TEST(Uuid, RandomIdsAreVersionFourAndOtherwiseRandom) {
    bool lowNibblesDiffer = false;
    for (int i = 0; i < 64; ++i) {
        const Uuid uuid = Uuid::random();
        EXPECT_EQ(uuid.bytes[6] >> 4, 4);
        EXPECT_EQ(uuid.bytes[8] >> 6, 2);
        lowNibblesDiffer |= (uuid.bytes[6] & 0x0F) != (uuid.bytes[7] & 0x0F);
    }
    EXPECT_TRUE(lowNibblesDiffer);
}

} // namespace
} // namespace tandry
