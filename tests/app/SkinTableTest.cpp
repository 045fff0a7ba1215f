#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/SkinTable.h"

TEST(SkinTable, ThirtyDistinctSkinsInThreeColumnsOfTen) {
    const auto& options = app::PanelSkinOptions();
    std::set<std::wstring> names;
    for (int i = 0; i < app::kSkinCount; ++i) {
        const auto& o = options[static_cast<size_t>(i)];
        names.insert(o.caption);
        const double columnLeft = i < 10 ? 180 : i < 20 ? 1320 : 2640;
        EXPECT_EQ(o.left, columnLeft) << i;
        EXPECT_EQ(o.textColor, i < 10 ? 0x000080FFu : i < 20 ? 0x00008000u : 0x00FF8080u) << i;
    }
    EXPECT_EQ(names.size(), 30u);
    EXPECT_STREQ(options[4].caption, L"日出1");
    EXPECT_STREQ(options[7].caption, L"丝绸");
    EXPECT_STREQ(options[24].caption, L"人民政府");
    EXPECT_STREQ(options[29].caption, L"友好联邦");
}

TEST(SkinTable, ChooserOffersTheFirstTenUnderItsOwnNames) {
    const auto& chooser = app::ChooserSkinNames();
    const auto& panel = app::PanelSkinOptions();
    for (int i = 0; i < 9; ++i) EXPECT_STREQ(chooser[static_cast<size_t>(i)], panel[static_cast<size_t>(i)].caption);
    EXPECT_STREQ(chooser[9], L"兰宝石");
    EXPECT_STREQ(panel[9].caption, L"蓝宝石");
}

TEST(SkinTable, PanelColoursExistForTheListedSkinsOnly) {
    EXPECT_EQ(app::PanelSkinBackColor(0), 0x00603FFCu);
    EXPECT_EQ(app::PanelSkinBackColor(7), 0x0072BD1Eu);
    EXPECT_EQ(app::PanelSkinBackColor(29), 0x00C16472u);
    int withColour = 0;
    for (int i = 0; i < app::kSkinCount; ++i) withColour += app::PanelSkinBackColor(i).has_value();
    EXPECT_EQ(withColour, 15);
    EXPECT_FALSE(app::PanelSkinBackColor(24).has_value());
}

TEST(SkinTable, PanelOptionsKeepTheirPlacesAndCoverNoNeighbour) {
    const auto& options = app::PanelSkinOptions();
    auto rectOf = [&](int i) {
        const auto& o = options[static_cast<size_t>(i)];
        const SIZE size = app::PanelOptionSize(i);
        EXPECT_LE(size.cx, o.width) << i;
        EXPECT_GE(size.cy, 240) << i;  // room for the circle and a line of text
        return RECT{static_cast<LONG>(o.left), static_cast<LONG>(o.top), static_cast<LONG>(o.left) + size.cx,
                    static_cast<LONG>(o.top) + size.cy};
    };
    for (int i = 0; i < app::kSkinCount; ++i) {
        const RECT a = rectOf(i);
        for (int j = i + 1; j < app::kSkinCount; ++j) {
            const RECT b = rectOf(j);
            RECT both;
            EXPECT_FALSE(IntersectRect(&both, &a, &b)) << i << " and " << j;
        }
    }
    EXPECT_EQ(app::PanelOptionSize(0).cx, 1320 - 180);
    EXPECT_EQ(app::PanelOptionSize(28).cx, 1545);  // the last column keeps its width
}
