// Fixed-width code page 936 fields of record files.
#include "runtime/core/FixedText.h"

#include <gtest/gtest.h>

TEST(FixedText, FieldsArePaddedCutAtWholeCharactersAndReadBack) {
    EXPECT_EQ(rt::ToFixedField(L"ABC", 5), "ABC  ");
    EXPECT_EQ(rt::ToFixedField(L"ABCDEFG", 5), "ABCDE");
    // 中国银行 is eight bytes in code page 936; a width of 7 keeps three whole characters.
    const std::string bank = rt::ToFixedField(L"\u4E2D\u56FD\u94F6\u884C", 7);
    EXPECT_EQ(bank.size(), 7u);
    EXPECT_EQ(bank.substr(0, 6), rt::AnsiFromWide(L"\u4E2D\u56FD\u94F6"));
    EXPECT_EQ(bank[6], ' ');
    EXPECT_EQ(rt::FromFixedField(bank.data(), bank.size()), L"\u4E2D\u56FD\u94F6 ");

    const std::string zeros(4, '\0');
    EXPECT_EQ(rt::FromFixedField(zeros.data(), zeros.size()), L"    ");
    EXPECT_EQ(rt::FitCharacters(L"\u5F20\u4E09", 4), L"\u5F20\u4E09  ");
    EXPECT_EQ(rt::FitCharacters(L"abcdef", 3), L"abc");
}
