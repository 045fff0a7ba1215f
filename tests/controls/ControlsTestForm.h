#pragma once
// A window holding one of each control, defined as the program's windows define theirs.
#include <string>
#include <vector>

#include "controls/ImageList.h"
#include "controls/ListView.h"
#include "controls/PictureDisplay.h"
#include "controls/ProgressBar.h"
#include "controls/RainButton.h"
#include "controls/Slider.h"
#include "runtime/forms/Form.h"
#include "runtime/forms/Forms.h"

namespace controls_testing {

inline std::vector<std::wstring>& FormLog() {
    static std::vector<std::wstring> log;
    return log;
}

class frmControls : public rt::Form {
public:
    frmControls() {
        Caption(L"Controls").ClientSize(6000, 4500).BackColor(0x00C0FFC0);
        StartUpPosition(rt::StartUpPosition::CenterScreen);
        Place(RainButton4, L"RainButton4", 240, 240, 1155, 345)
            .Caption(std::wstring(17, L' ') + L"确定选择" + std::wstring(32, L' '))
            .BackColor(0x00FF8080)
            .ForeColor(0x0000FFFF)
            .Font(L"宋体", 10.5, true, false, 134)
            .BackFill(2)
            .BackGradient(0x00FF80FF);
        Place(RainButton5, L"RainButton5", 1710, 240, 1155, 345)
            .Caption(std::wstring(23, L' ') + L"退  出" + std::wstring(36, L' ') + L"1")
            .BackColor(0x00FF8080)
            .ForeColor(0x0000FFFF)
            .Font(L"宋体", 9, true, false, 134)
            .BackFill(2)
            .BackGradient(0x00FF80FF)
            .ButtonType(1);
        Place(Image1, L"Image1", 240, 840, 2400, 1800);
        Place(ListView, L"ListView", 2880, 840, 2880, 1800);
        Place(ProgressBar1, L"ProgressBar1", 240, 2880, 5520, 300).Max(2000).Min(1);
        Place(Slider1, L"Slider1", 240, 3360, 2400, 420).Value(64);
        RainButton4.Click = [] { FormLog().push_back(L"RainButton4_Click"); };
        RainButton5.Click = [] { FormLog().push_back(L"RainButton5_Click"); };
        Slider1.Change = [this] { FormLog().push_back(L"Slider1_Change " + std::to_wstring(Slider1.Value())); };
        ListView.Click = [] { FormLog().push_back(L"ListView_Click"); };
    }
    ctl::RainButton RainButton4, RainButton5;
    ctl::PictureDisplay Image1;
    ctl::ListView ListView;
    ctl::ImageList imgList2;
    ctl::ProgressBar ProgressBar1;
    ctl::Slider Slider1;
};

// Unloads every form a test left loaded.
struct FormsCleanup {
    ~FormsCleanup();
};

}  // namespace controls_testing
