#include "store/Variant.h"

#include <gtest/gtest.h>

#include "tests/store/StoreTestSupport.h"

using store::Variant;
using store_test::ErrorOf;

TEST(Variant, HoldsEachKindAndRefusesToBeReadAsAnother) {
    EXPECT_TRUE(Variant().IsNull());
    EXPECT_EQ(Variant(std::int16_t{-5}).GetKind(), Variant::Kind::Integer16);
    EXPECT_EQ(Variant(std::int32_t{70000}).Integer32(), 70000);
    EXPECT_EQ(Variant(L"宋体").Text(), L"宋体");
    // The same number as 16 and as 32 bits are different values.
    EXPECT_FALSE(Variant(std::int16_t{1}) == Variant(std::int32_t{1}));
    EXPECT_EQ(ErrorOf([] { Variant(std::int16_t{1}).Text(); }).Number(), 13);
    EXPECT_EQ(ErrorOf([] { Variant().Integer16(); }).Number(), 13);
}

TEST(Variant, ConvertsToA16BitIntegerAsTheLanguageDoes) {
    EXPECT_EQ(store::CInt(Variant(std::int16_t{29})), 29);
    EXPECT_EQ(store::CInt(Variant(std::int32_t{-32768})), -32768);
    EXPECT_EQ(store::CInt(Variant(L" 7 ")), 7);
    EXPECT_EQ(store::CInt(Variant(L"-12")), -12);
    // Fractions round half to even.
    EXPECT_EQ(store::CInt(Variant(L"2.5")), 2);
    EXPECT_EQ(store::CInt(Variant(L"3.5")), 4);
    EXPECT_EQ(store::CInt(Variant(L"3.49")), 3);

    EXPECT_EQ(ErrorOf([] { store::CInt(Variant()); }).Number(), 94);  // Invalid use of Null
    EXPECT_EQ(ErrorOf([] { store::CInt(Variant(L"seven")); }).Number(), 13);
    EXPECT_EQ(ErrorOf([] { store::CInt(Variant(L"")); }).Number(), 13);
    EXPECT_EQ(ErrorOf([] { store::CInt(Variant(L"1 2")); }).Number(), 13);
    EXPECT_EQ(ErrorOf([] { store::CInt(Variant(std::int32_t{32768})); }).Number(), 6);  // Overflow
    EXPECT_EQ(ErrorOf([] { store::CInt(Variant(L"-32768.6")); }).Number(), 6);
}
