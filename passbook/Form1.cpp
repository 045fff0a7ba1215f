#include "passbook/Form1.h"

#include <windows.h>

#include <new>

#include "passbook/BookCompaction.h"
#include "passbook/BookRecords.h"
#include "passbook/Module2.h"
#include "passbook/RecordTexts.h"
#include "passbook/ShiftOutcome.h"
#include "runtime/forms/Forms.h"
#include "runtime/forms/MsgBox.h"
#include "runtime/core/Convert.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr OLE_COLOR kFormBackColor = 0x00FF0000;
constexpr OLE_COLOR kLabelColor = 0x0000FFFF;
constexpr OLE_COLOR kBoxBackColor = 0x000080FF;
constexpr OLE_COLOR kBoxTextColor = 0x00C00000;
constexpr OLE_COLOR kRemarksBackColor = 0x00FFC0C0;
constexpr OLE_COLOR kFrameBackColor = 0x00808000;
constexpr OLE_COLOR kButtonBackColor = 0x00C0C000;
constexpr OLE_COLOR kButtonTextColor = 0x00800080;
constexpr OLE_COLOR kButtonGradient = 0x00FFC0C0;
constexpr short kVerticalFill = 2;
constexpr wchar_t kFontName[] = L"MS Sans Serif";
constexpr double kFontSize = 8.25;
constexpr short kLargestPasswordNo = 32767;
constexpr wchar_t kNamePrompt[] = L"填写密码本名称";
constexpr wchar_t kHintTitle[] = L"Mirovast提示";
constexpr wchar_t kEditorTitle[] = L"密码本";

struct BoxDefinition {
    double left, top, width, height;
    int maxLength;
};
constexpr BoxDefinition kBoxes[kFieldBoxCount] = {
    {210, 420, 1695, 315, static_cast<int>(kNameWidth)},  {2280, 420, 1695, 315, static_cast<int>(kNameWidth)},
    {225, 1140, 1665, 315, 0},                             {2280, 1140, 1695, 315, static_cast<int>(kNameWidth)},
    {210, 1860, 1695, 315, 0},                             {2280, 1860, 1695, 315, 0},
    {210, 2610, 5445, 1245, static_cast<int>(kRemarksWidth)},
};

// The stored captions pad the words with long runs of blanks; the button shows the words.
std::wstring PaddedCaption(const std::wstring& words, bool strayOne) {
    return std::wstring(20, L' ') + words + std::wstring(30, L' ') + (strayOne ? L"1" : L"");
}

// A box the record cannot hold: the message is shown and the focus is in that box; the
// handler ends there and writes nothing.
struct FieldsRejected {};

}  // namespace

Form1::Form1() {
    Caption(L"密码本").ClientSize(5805, 4380).BackColor(kFormBackColor).Font(kFontName, kFontSize, true);
    const struct {
        rt::Label& label;
        const wchar_t* name;
        const wchar_t* caption;
        double left, top, width, height;
    } labels[] = {
        {Label1, L"Label1", L"姓名", 210, 210, 975, 255},          {Label2, L"Label2", L"银行", 2310, 210, 975, 255},
        {Label3, L"Label3", L"密码#", 210, 930, 645, 255},         {Label4, L"Label4", L"存折名或卡名", 2310, 930, 1245, 255},
        {Label7, L"Label7", L"存款余额", 210, 1650, 1335, 255},    {Label8, L"Label8", L"最近存款日期", 2280, 1650, 1575, 255},
        {Label9, L"Label9", L"备注", 210, 2400, 615, 195},
    };
    for (const auto& l : labels) {
        Place(l.label, l.name, l.left, l.top, l.width, l.height)
            .Caption(l.caption)
            .ForeColor(kLabelColor)
            .BackStyle(rt::BackStyle::Transparent);
    }
    for (int i = 0; i < kFieldBoxCount; ++i) {
        const BoxDefinition& b = kBoxes[i];
        rt::TextBox& box = Place(FieldBoxes.Add(i), L"FieldBoxes", b.left, b.top, b.width, b.height)
                               .MaxLength(b.maxLength)
                               .TabIndex(i);
        if (i == kRemarksBox) {
            box.MultiLine(true).ScrollBars(rt::ScrollBars::Vertical).BackColor(kRemarksBackColor);
        } else {
            box.BackColor(kBoxBackColor).ForeColor(kBoxTextColor);
        }
    }
    FieldBoxes.On(&rt::TextBox::Change, [this](int Index) { FieldBoxes_Change(Index); });
    FieldBoxes.On(&rt::TextBox::GotFocus, [this](int Index) { FieldBoxes_GotFocus(Index); });
    FieldBoxes.On(&rt::TextBox::LostFocus, [this](int Index) { FieldBoxes_LostFocus(Index); });

    Place(FileIOFrame, L"FileIOFrame", 4170, 300, 1515, 2175).Caption(L"").BackColor(kFrameBackColor);
    const struct {
        ctl::RainButton& button;
        const wchar_t* name;
        std::wstring caption;
        double left, top, width, height;
        bool inFrame;
    } buttons[] = {
        {RainButton1, L"RainButton1", PaddedCaption(L"添 加", true), 210, 240, 1125, 345, true},
        {RainButton2, L"RainButton2", PaddedCaption(L"删 除", true), 210, 750, 1155, 345, true},
        {RainButton3, L"RainButton3", PaddedCaption(L"上一条", true), 210, 1230, 1155, 345, true},
        {RainButton4, L"RainButton4", PaddedCaption(L"下一条", true), 210, 1740, 1155, 345, true},
        // The definition stores no caption for this one; it opens another book.
        {RainButton5, L"RainButton5", L"打开密码本", 3030, 3960, 1185, 315, false},
        {RainButton6, L"RainButton6", PaddedCaption(L"退 出", false), 4440, 3960, 1185, 315, false},
    };
    for (const auto& b : buttons) {
        ctl::RainButton& button = b.inFrame ? FileIOFrame.Place(b.button, b.name, b.left, b.top, b.width, b.height)
                                            : Place(b.button, b.name, b.left, b.top, b.width, b.height);
        button.Caption(b.caption)
            .BackFill(kVerticalFill)
            .BackGradient(kButtonGradient)
            .BackColor(kButtonBackColor)
            .ForeColor(kButtonTextColor)
            .Font(kFontName, kFontSize, true);
    }
    RainButton1.Click = [this] { RainButton1_Click(); };
    RainButton2.Click = [this] { RainButton2_Click(); };
    RainButton3.Click = [this] { RainButton3_Click(); };
    RainButton4.Click = [this] { RainButton4_Click(); };
    RainButton5.Click = [this] { RainButton5_Click(); };
    RainButton6.Click = [this] { RainButton6_Click(); };
}

template <class F>
void Form1::Guarded(F&& steps) {
    try {
        steps();
    } catch (const FieldsRejected&) {
        // Already told, and the focus is in the box to mend.
    } catch (const rt::RuntimeError& e) {
        ReportBookError(e, L"文件中的其他记录没有改动。");
    } catch (const std::bad_alloc&) {
        ReportBookError(rt::RuntimeError(rt::err::kOutOfMemory, {}, {}), L"文件中的其他记录没有改动。");
    }
}

// A failed read or write touches at most the one record it was about; a failed shift says
// what the file holds itself.
void Form1::ReportBookError(const rt::RuntimeError& e, const std::wstring& fileText) {
    rt::MsgBox(L"密码本 " + m_BookName + L" 读写失败：" + e.Description() + L"（错误 " + std::to_wstring(e.Number()) +
                   L"）。\n" + fileText,
               MB_OK | MB_ICONEXCLAMATION, kEditorTitle);
}

void Form1::Form_Load() {
    const std::wstring folder = rt::AppPath();
    rt::ChDrive(folder);
    rt::ChDir(folder);
    Show();
    Guarded([&] { OpenBook(); });
}

// Closing through the close box saves nothing, but it closes the book: the next load starts
// afresh and must not find the old book's file still open.
void Form1::Form_Unload(int& /*Cancel*/) {
    if (m_FileNum != 0) rt::TryStatement([&] { rt::Close(m_FileNum); });
    m_FileNum = 0;
}

void Form1::OpenBook() {
    if (m_LastRecord > 0) {
        SaveRecordIfChanged();
        CompactFile();
    }
    // The previous book is done with: its file is closed here rather than left open.
    if (m_FileNum != 0) rt::TryStatement([&] { rt::Close(m_FileNum); });
    m_FileNum = 0;
    while (m_FileNum == 0) {
        m_BookName = Module2::AskBookName(kNamePrompt);
        if (!m_BookName.empty()) {
            // The book stays where its name points now, whatever the current folder becomes.
            if (!Module2::RunFileStep([&] { m_BookPath = rt::FullPath(m_BookName); })) continue;
            m_FileNum = Module2::OpenDataFile(m_BookName, Module2::kModeRandom, static_cast<short>(kRecordLength), 1);
            FileIOFrame.Enabled(true);
            if (m_FileNum != 0 && BookIsReadOnly()) {
                rt::MsgBox(L"密码本 " + m_BookName + L" 是只读文件：可以浏览其中的记录，但所做的修改都不能保存。",
                           MB_OK | MB_ICONEXCLAMATION, kEditorTitle);
            }
        } else {
            FileIOFrame.Enabled(false);
            if (m_LastRecord > 0) return;
            rt::Forms::End();
        }
    }
    LoadRecordCount();
    m_Dirty = false;
}

void Form1::LoadRecordCount() {
    m_LastRecord = RecordCount(m_FileNum);
    m_CurrentRecord = 1;
    if (m_LastRecord >= 1) {
        ShowCurrentRecord();
        return;
    }
    FieldsToRecord();
    m_ShownRecord = m_WorkRecord;
    if (BookIsReadOnly()) {
        UpdateCaption();  // an empty book that cannot take its blank record stays empty
        return;
    }
    AppendBlankRecord();
}

void Form1::AppendBlankRecord() {
    if (m_FileNum == 0 || RefusedForReadOnly(L"不能添加记录")) return;
    SaveRecordIfChanged();
    for (int i = 0; i < kFieldBoxCount; ++i) FieldBoxes(i).Text(L"");
    FieldsToRecord();
    WriteRecord(m_FileNum, m_LastRecord + 1, m_WorkRecord);
    m_LastRecord += 1;
    m_CurrentRecord = m_LastRecord;
    ShowCurrentRecord();
}

// A book that can only be read is left as it is: nothing to compact, nothing to say. The
// book stays open either way.
void Form1::CompactFile() {
    if (m_FileNum == 0 || BookIsReadOnly()) return;
    try {
        CompactBook(m_FileNum, m_LastRecord);
    } catch (const rt::RuntimeError& e) {
        rt::MsgBox(L"密码本 " + m_BookName + L" 整理失败：" + e.Description() + L"（错误 " +
                       std::to_wstring(e.Number()) + L"）。\n" + UncompactedBookText(),
                   MB_OK | MB_ICONEXCLAMATION, kEditorTitle);
    }
}

// What the book's file holds after a compaction failed: records beyond LastRecord are the
// old copies a deletion's shift left at the end.
std::wstring Form1::UncompactedBookText() const {
    long long length = 0;
    if (rt::TryStatement([&] { length = rt::FileLen(m_BookPath); }) != 0) return L"密码本的文件现在无法读取。";
    const long long spare = length / static_cast<long long>(kRecordLength) - m_LastRecord;
    if (spare <= 0) return L"密码本保持原样，可以继续编辑。";
    if (spare == 1) return L"删除的记录已从文件中去掉，但最后一条记录在文件末尾存了两遍。";
    return L"删除的记录已从文件中去掉，但文件末尾还多存着 " + std::to_wstring(spare) + L" 条记录的旧副本。";
}

bool Form1::BookIsReadOnly() const { return m_FileNum != 0 && rt::OpenedReadOnly(m_FileNum); }

bool Form1::RefusedForReadOnly(const std::wstring& refusal) {
    if (!BookIsReadOnly()) return false;
    rt::MsgBox(L"密码本 " + m_BookName + L" 是只读文件，" + refusal + L"。", MB_OK | MB_ICONEXCLAMATION, kEditorTitle);
    return true;
}

// A shift that fails part-way may have moved a first part of the records: the message says
// what the file holds, compared with what it held before.
void Form1::DeleteCurrentRecord() {
    const std::string before = StoredRecords(m_FileNum, m_CurrentRecord, m_LastRecord);
    try {
        DeleteByShifting(m_FileNum, m_CurrentRecord, m_LastRecord);
    } catch (const rt::RuntimeError& e) {
        std::string after;
        const bool read = rt::TryStatement([&] { after = StoredRecords(m_FileNum, m_CurrentRecord, m_LastRecord); }) == 0;
        ReportBookError(e, read ? ShiftOutcomeText(before, after, m_CurrentRecord) : L"密码本的文件现在无法读取。");
        return;
    }
    m_LastRecord -= 1;
    if (m_CurrentRecord > m_LastRecord) m_CurrentRecord = m_LastRecord;
    CompactFile();
    ShowCurrentRecord();
}

void Form1::FieldsToRecord() {
    BoxTexts texts;
    for (int i = 0; i < kFieldBoxCount; ++i) texts[static_cast<size_t>(i)] = FieldBoxes(i).Text();
    RecordFromBoxes fields = RecordFromTexts(texts);
    if (fields.rejectedBox >= 0) {
        rt::MsgBox(fields.message, MB_OK | MB_ICONEXCLAMATION, kEditorTitle);
        rt::TryStatement([&] { FieldBoxes(fields.rejectedBox).SetFocus(); });
        throw FieldsRejected{};
    }
    m_WorkRecord = std::move(fields.record);
}

void Form1::ShowCurrentRecord() {
    if (m_FileNum == 0) return;
    if (m_LastRecord == 0) {
        UpdateCaption();  // no record to show
        return;
    }
    m_WorkRecord = ReadRecord(m_FileNum, m_CurrentRecord);
    const BoxTexts texts = TextsFromRecord(m_WorkRecord);
    for (int i = 0; i < kFieldBoxCount; ++i) FieldBoxes(i).Text(texts[static_cast<size_t>(i)]);
    FieldsToRecord();
    m_ShownRecord = m_WorkRecord;
    UpdateCaption();
    rt::TryStatement([&] { FieldBoxes(kHolderNameBox).SetFocus(); });
}

void Form1::SaveRecordIfChanged() {
    if (m_FileNum == 0) return;
    FieldsToRecord();
    if (m_WorkRecord == m_ShownRecord || RefusedForReadOnly(L"这条记录的修改没有保存")) return;
    WriteRecord(m_FileNum, m_CurrentRecord, m_WorkRecord);
}

void Form1::UpdateCaption() { Caption(RecordCaption(m_BookName, m_CurrentRecord, m_LastRecord)); }

void Form1::FieldBoxes_Change(int /*Index*/) { m_Dirty = true; }

void Form1::FieldBoxes_GotFocus(int Index) {
    rt::TextBox& box = FieldBoxes(Index);
    box.SelStart(0);
    box.SelLength(static_cast<int>(box.Text().size()));
}

void Form1::FieldBoxes_LostFocus(int /*Index*/) {
    // The message box takes the focus from the next box too: one check at a time.
    if (m_checkingPasswordNo) return;
    if (rt::Val(FieldBoxes(kPasswordNoBox).Text()) <= kLargestPasswordNo) return;
    m_checkingPasswordNo = true;
    rt::MsgBox(L"Enter a number less than 32,768", MB_OK);
    rt::TryStatement([&] { FieldBoxes(kPasswordNoBox).SetFocus(); });
    m_checkingPasswordNo = false;
}

void Form1::RainButton1_Click() {
    Guarded([&] { AppendBlankRecord(); });
}

void Form1::RainButton2_Click() {
    Guarded([&] {
        if (m_FileNum == 0 || RefusedForReadOnly(L"不能删除记录")) return;
        if (m_LastRecord >= 2) {
            DeleteCurrentRecord();
            return;
        }
        const int answer = rt::MsgBox(L"This is the last record in the file. Deleting it will delete the entire file. "
                                      L"Record Editor will also be closed. Choose OK to delete the file.",
                                      MB_OKCANCEL | MB_ICONQUESTION, L"About to delete file!");
        if (answer != IDOK) return;
        rt::TryStatement([&] { rt::Close(m_FileNum); });
        rt::TryStatement([&] { rt::Kill(m_BookPath); });
        m_FileNum = 0;
        m_LastRecord = 0;
        Unload();
    });
}

void Form1::RainButton3_Click() {
    Guarded([&] {
        SaveRecordIfChanged();
        if (m_CurrentRecord != 1) {
            m_CurrentRecord -= 1;
        } else {
            rt::MsgBox(L"已到第一条记录", MB_OK | MB_ICONEXCLAMATION, kHintTitle);
        }
        ShowCurrentRecord();
    });
}

void Form1::RainButton4_Click() {
    Guarded([&] {
        SaveRecordIfChanged();
        if (m_CurrentRecord != m_LastRecord) {
            m_CurrentRecord += 1;
        } else {
            rt::MsgBox(L"已到最后一条记录 " + NumberText(m_LastRecord) + L".", MB_OK);
        }
        ShowCurrentRecord();
        m_Dirty = false;
    });
}

void Form1::RainButton5_Click() {
    Guarded([&] { OpenBook(); });
}

void Form1::RainButton6_Click() {
    Guarded([&] {
        if (m_Dirty) SaveRecordIfChanged();
        CompactFile();
        Hide();
    });
}
