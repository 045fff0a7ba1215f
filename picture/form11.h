#pragma once
// form11: the picture player. Drive, folder and file lists with nine file patterns; a click on
// a file shows the picture (zoomed or clipped by FittingMode) and writes its size line; the
// shown picture can be saved as a BMP file or opened at its own size (Form12); the file list
// can be turned into 32 x 32 thumbnails, which a timed slide show steps through.
#include <string>

#include "controls/CommonDialog.h"
#include "controls/ImageList.h"
#include "controls/ListView.h"
#include "controls/PictureDisplay.h"
#include "controls/ProgressBar.h"
#include "runtime/intrinsics/ComboBox.h"
#include "runtime/intrinsics/CommandButton.h"
#include "runtime/intrinsics/DirListBox.h"
#include "runtime/intrinsics/DriveListBox.h"
#include "runtime/intrinsics/FileListBox.h"
#include "runtime/forms/Form.h"
#include "runtime/intrinsics/Label.h"
#include "runtime/intrinsics/Line.h"
#include "runtime/intrinsics/PictureBox.h"
#include "runtime/intrinsics/Shape.h"
#include "runtime/intrinsics/TextBox.h"
#include "runtime/intrinsics/Timer.h"

class form11 : public rt::Form {
public:
    form11();
    ~form11() override;

    // Decoration first: the windowless shapes and labels are drawn in this order.
    rt::Shape Shape1, Shape2, Shape3, Shape4, Shape5, Shape6, Shape7, Shape8, Shape9, Shape10;
    rt::Line Line1;
    rt::Label Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9;

    rt::DriveListBox Drive1;
    rt::DirListBox Dir1;
    rt::ComboBox Combo1;
    rt::FileListBox File1;
    ctl::PictureDisplay Image1;
    rt::TextBox txtOut;
    rt::CommandButton Command1, Command2, Command3;
    rt::CommandButton 退出;
    rt::CommandButton cmdAuto, cmdAnimate, cmdSpeed, cmdStop;
    ctl::ListView ListView;
    rt::PictureBox picTemp;
    ctl::ProgressBar ProgressBar1;
    rt::Timer Timer1;
    ctl::ImageList imgList, imgList2;
    ctl::CommonDialog cdlg, dlg;

    // Browsing and display.
    void Combo1_Click();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void ShowFilePicture();
    void AppendOutputLine(const std::wstring& line);
    void Command1_Click();
    void Command2_Click();
    // The save after the dialog: the overwrite question, then the BMP file or a message.
    void SaveShownPicture(const std::wstring& target);
    void 退出_Click();

    // Thumbnails and slide show.
    void cmdAuto_Click();
    void cmdAnimate_Click();
    void cmdStop_Click();
    void cmdSpeed_Click();
    void Timer1_Timer();
    void ListView_Click();
    void ResetThumbnails();
    void ShowNextSlide();
    void ShowThumbnailPicture();

    short mCount = 0;
    short mIndex = 0;
    short mLoop = 0;

private:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    void DefineDecoration();
    void DefineHelpLabels();
    void DefineBrowsing();
    void DefineDisplay();
    void DefineThumbnails();
    void WireEvents();
    // Sets Image1's size mode for the picture it shows.
    void ApplyFittingRule();
    // Adds entry `index` of File1 as the next thumbnail; false when it is no picture.
    bool AddThumbnail(int index);
    bool MakeThumbnails(unsigned run);
    void ShowThumbnailsSoFar();
    bool ThumbnailRunGoesOn(unsigned run) const;
    void StopThumbnailRun();
    bool ReadListsAgainIfGone(const std::wstring& file);
    short NextSlideStillThere(short count) const;
    // Thumbnail n's picture at full size, decoded again from its file.
    rt::PictureRef ThumbnailPicture(int n);
    void EmptyThumbnails();
    void ShowMainWindow();

    // The thumbnail run going on, if any: stopping one makes its number stale.
    bool m_thumbnailsRunning = false;
    unsigned m_thumbnailRun = 0;
};
