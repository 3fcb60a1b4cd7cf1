#include <gtest/gtest.h>

#include "calendar/error_matchers.h"
#include "calendar/int16.h"

namespace calendario {
namespace {

using testing::errorNumberOf;

TEST(Int16, SumsAndDifferencesInsideTheRangeAreExact)
{
    EXPECT_EQ((32766_i16 + 1).value(), 32767);
    EXPECT_EQ((Int16(-32767) - 1).value(), -32768);
    EXPECT_EQ((Int16(31) + Int16(6) - Int16(30) - 1).value(), 6);
    Int16 counter{36};
    ++counter;
    EXPECT_EQ(counter, 37);
    --counter;
    EXPECT_EQ(counter, 36);
}

TEST(Int16, LeavingTheRangeRaisesOverflowInsteadOfWrapping)
{
    EXPECT_EQ(errorNumberOf([] { Int16(32767) + 1; }), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf([] { Int16(-32768) - 1; }), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf([] { -Int16(-32768); }), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf([] {
                  Int16 i{32767};
                  ++i;
              }),
              RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf([] {
                  Int16 i{-32768};
                  --i;
              }),
              RuntimeError::Overflow);
    // Checked whole, whatever its type: 2^32 + 5 is not 5, nor 40000u a negative number.
    EXPECT_EQ(errorNumberOf([] { Int16(40000); }), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf([] { Int16(4'294'967'301LL); }), RuntimeError::Overflow);
    EXPECT_EQ(errorNumberOf([] { Int16(40000u); }), RuntimeError::Overflow);
    EXPECT_EQ(Int16(std::uint64_t{32767}).value(), 32767);
}

TEST(Int16, BooleansAreMinusOneAndZeroAndAnyNonZeroIsTrue)
{
    EXPECT_EQ(Vero.value(), -1);
    EXPECT_EQ(Falso.value(), 0);
    EXPECT_TRUE(isTrue(Vero));
    EXPECT_TRUE(isTrue(Int16(1)));
    EXPECT_FALSE(isTrue(Falso));
}

TEST(RuntimeError, EachKindHasItsOwnNumberAndAMessage)
{
    const RuntimeError::Number numbers[] = {
        RuntimeError::InvalidCall, RuntimeError::Overflow, RuntimeError::SubscriptOutOfRange,
        RuntimeError::TypeMismatch, RuntimeError::InvalidPropertyValue};
    for (auto a : numbers) {
        EXPECT_FALSE(RuntimeError(a).message().empty());
        for (auto b : numbers) {
            if (a != b) {
                EXPECT_NE(RuntimeError(a).message(), RuntimeError(b).message());
            }
        }
    }
    EXPECT_EQ(RuntimeError(RuntimeError::Overflow).message(), "Overflow");
}

} // namespace
} // namespace calendario
