#include "app/SkinTable.h"

#include <algorithm>

namespace app {

namespace {
constexpr OLE_COLOR kFirstColumnText = 0x000080FF;
constexpr OLE_COLOR kSecondColumnText = 0x00008000;
constexpr OLE_COLOR kThirdColumnText = 0x00FF8080;
}  // namespace

const std::array<SkinOption, kSkinCount>& PanelSkinOptions() {
    static const std::array<SkinOption, kSkinCount> options = {{
        {L"爱情", 180, 480, 1275, 345, kFirstColumnText},
        {L"工程", 180, 750, 1275, 345, kFirstColumnText},
        {L"旅游", 180, 1050, 1275, 345, kFirstColumnText},
        {L"军事", 180, 1350, 1275, 345, kFirstColumnText},
        {L"日出1", 180, 1620, 1275, 345, kFirstColumnText},
        {L"满天星", 180, 1890, 1275, 345, kFirstColumnText},
        {L"建筑", 180, 2190, 1275, 345, kFirstColumnText},
        {L"丝绸", 180, 2490, 1275, 345, kFirstColumnText},
        {L"日出2", 180, 2760, 1275, 345, kFirstColumnText},
        {L"蓝宝石", 180, 3060, 1275, 345, kFirstColumnText},
        {L"大丽石", 1320, 510, 1275, 345, kSecondColumnText},
        {L"美丽科技", 1320, 780, 1275, 345, kSecondColumnText},
        {L"水立方", 1320, 1050, 1275, 345, kSecondColumnText},
        {L"美丽少女", 1320, 1380, 1275, 285, kSecondColumnText},
        {L"装饰艺术1", 1320, 1650, 1425, 285, kSecondColumnText},
        {L"装饰艺术2", 1320, 1950, 1365, 255, kSecondColumnText},
        {L"紫光科技", 1320, 2190, 1275, 345, kSecondColumnText},
        {L"梦幻科技", 1320, 2490, 1275, 345, kSecondColumnText},
        {L"深蓝科技", 1320, 2760, 1275, 345, kSecondColumnText},
        {L"工程2", 1320, 3060, 1275, 345, kSecondColumnText},
        {L"爱情2", 2640, 510, 1275, 345, kThirdColumnText},
        {L"工程3", 2640, 810, 1275, 345, kThirdColumnText},
        {L"工程4", 2640, 1080, 1275, 345, kThirdColumnText},
        {L"纺织", 2640, 1350, 1275, 345, kThirdColumnText},
        {L"人民政府", 2640, 1620, 1275, 345, kThirdColumnText},
        {L"英俊少年", 2640, 1920, 1275, 345, kThirdColumnText},
        {L"梦幻儿童", 2640, 2190, 1275, 345, kThirdColumnText},
        {L"工程5", 2640, 2490, 1275, 345, kThirdColumnText},
        {L"梦幻儿童2", 2640, 2760, 1545, 345, kThirdColumnText},
        {L"友好联邦", 2640, 3060, 1275, 345, kThirdColumnText},
    }};
    return options;
}

SIZE PanelOptionSize(int i) {
    const auto& options = PanelSkinOptions();
    const SkinOption& o = options[static_cast<size_t>(i)];
    double width = o.width;
    double height = o.height;
    for (const SkinOption& other : options) {
        if (other.left > o.left) width = std::min(width, other.left - o.left);
        if (other.left == o.left && other.top > o.top) height = std::min(height, other.top - o.top);
    }
    return SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
}

std::optional<OLE_COLOR> PanelSkinBackColor(int skin) {
    switch (skin) {
        case 0: return 0x00603FFC;
        case 1: return 0x00BFFA52;
        case 2: return 0x004E98CF;
        case 3: return 0x008FF3D6;
        case 4: return 0x00D78051;
        case 5: return 0x003FF59A;
        case 6: return 0x00779951;
        case 7: return 0x0072BD1E;
        case 8: return 0x008C42DF;
        case 9: return 0x00EBDAFE;
        case 10: return 0x00EADDC4;
        case 11: return 0x0068F4BC;
        case 12: return 0x0068F4BC;
        case 27: return 0x00C16472;
        case 29: return 0x00C16472;
        default: return std::nullopt;
    }
}

const std::array<const wchar_t*, kChooserSkinCount>& ChooserSkinNames() {
    static const std::array<const wchar_t*, kChooserSkinCount> names = {
        L"爱情", L"工程", L"旅游", L"军事", L"日出1", L"满天星", L"建筑", L"丝绸", L"日出2", L"兰宝石"};
    return names;
}

}  // namespace app
