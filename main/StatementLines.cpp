#include "main/StatementLines.h"

namespace mainwin {

namespace {
constexpr wchar_t kBodyFontName[] = L"Tahoma";
constexpr double kAddressFontSize = 14;
constexpr double kBodyFontSize = 12;
constexpr double kDateFontSize = 10;
}  // namespace

const wchar_t kStatementCaption[] = L"Mirovast 2008-2026";

const std::array<StatementLine, kStatementLineCount>& StatementLines() {
    static const std::array<StatementLine, kStatementLineCount> lines = {{
        {L"Mirovast软件工作室郑重声明：      ", 12, 36, 0x001464FA, -2},
        {L"w w w . m i r o v a s t . e x a m p l e      ", 49, 76, 0x00966464, -1},
        {L"Mirovast系列软件的一切权利归Mirovast所有。      ", 49, 123, 0x00649664, 0},
        {L"本软件永久免费，欢迎使用。      ", 49, 150, 0x00C896FA, 0},
        {L"本软件可以无限制复制传播，但未经Mirovast授权不得用于商业用途。   ", 49, 200, 0x006496C8, 0},
        {L"Mirovast 2026年12月1日 声明      ", 49, 250, 0x000000FA, 0},
    }};
    return lines;
}

void ApplyStatementLineFont(rt::StdFont& font, int line) {
    switch (line) {
        case 2:
            font.SetSize(kAddressFontSize);
            break;
        case 3:
        case 5:
            font.SetName(kBodyFontName);
            font.SetSize(kBodyFontSize);
            font.SetBold(false);
            break;
        case 6:
            font.SetName(kBodyFontName);
            font.SetSize(kDateFontSize);
            font.SetBold(false);
            break;
        default:
            break;
    }
}

}  // namespace mainwin
