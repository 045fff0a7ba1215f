#include <gtest/gtest.h>

#include "main/StatementLines.h"
#include "runtime/gdi/StdFont.h"

namespace {
struct Seen {
    std::wstring name;
    double size;
    bool bold;
};
// One pass as the pass timer runs it: size 24 first, then each line's own changes.
std::vector<Seen> Pass(rt::StdFont& font) {
    std::vector<Seen> seen;
    font.SetSize(mainwin::kHeadingFontSize);
    for (int line = 1; line <= mainwin::kStatementLineCount; ++line) {
        mainwin::ApplyStatementLineFont(font, line);
        seen.push_back({font.Name(), font.Size(), font.Bold()});
    }
    return seen;
}
}  // namespace

TEST(StatementLines, FirstPassHeadsInTheWindowFontLaterPassesInTahoma) {
    rt::StdFont font(L"Arial", 18, true);
    const auto first = Pass(font);
    EXPECT_EQ(first[0].name, L"Arial");
    EXPECT_EQ(first[0].size, 24);
    EXPECT_TRUE(first[0].bold);
    EXPECT_EQ(first[1].name, L"Arial");
    EXPECT_EQ(first[1].size, 14);
    EXPECT_TRUE(first[1].bold);
    for (int i = 2; i <= 4; ++i) {
        EXPECT_EQ(first[static_cast<size_t>(i)].name, L"Tahoma");
        EXPECT_EQ(first[static_cast<size_t>(i)].size, 12);
        EXPECT_FALSE(first[static_cast<size_t>(i)].bold);
    }
    EXPECT_EQ(first[5].size, 10);

    const auto second = Pass(font);
    EXPECT_EQ(second[0].name, L"Tahoma");
    EXPECT_EQ(second[0].size, 24);
    EXPECT_FALSE(second[0].bold);
    EXPECT_EQ(second[1].name, L"Tahoma");
    EXPECT_EQ(second[1].size, 14);
}

TEST(StatementLines, SixLinesEndingInSpacesWithTheirFinalSpacings) {
    const auto& lines = mainwin::StatementLines();
    const long finals[] = {-2, -1, 0, 0, 0, 0};
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::wstring text = lines[i].text;
        EXPECT_EQ(text.back(), L' ') << i;
        EXPECT_EQ(lines[i].finalSpacing, finals[i]) << i;
    }
    EXPECT_EQ(std::wstring(lines[0].text).find(L'：') != std::wstring::npos, true);
    EXPECT_EQ(lines[0].left, 12);
    EXPECT_EQ(lines[5].top, 250);
}
