#pragma once
// Form1: the password book's record editor. Asks for a book's name, opens or creates the
// book, shows one account record at a time in seven boxes, writes a changed record back
// before it moves to another, and adds, deletes, steps, opens another book and leaves.
// Nothing in the program shows it except frmTest's ShowPasswordBook, which nothing calls.
#include <string>

#include "controls/RainButton.h"
#include "passbook/AccountRecord.h"
#include "runtime/forms/ControlArray.h"
#include "runtime/forms/Form.h"
#include "runtime/intrinsics/Frame.h"
#include "runtime/intrinsics/Label.h"
#include "runtime/intrinsics/TextBox.h"
#include "runtime/core/RuntimeError.h"

class Form1 : public rt::Form {
public:
    Form1();

    rt::Label Label1;
    rt::Label Label2;
    rt::Label Label3;
    rt::Label Label4;
    rt::Label Label7;
    rt::Label Label8;
    rt::Label Label9;
    rt::ControlArray<rt::TextBox> FieldBoxes;
    rt::Frame FileIOFrame;
    ctl::RainButton RainButton1;  // Add
    ctl::RainButton RainButton2;  // Delete
    ctl::RainButton RainButton3;  // Previous
    ctl::RainButton RainButton4;  // Next
    ctl::RainButton RainButton5;  // Open another book
    ctl::RainButton RainButton6;  // Exit

    void RainButton1_Click();
    void RainButton2_Click();
    void RainButton3_Click();
    void RainButton4_Click();
    void RainButton5_Click();
    void RainButton6_Click();

    // The book state, for callers that look at the editor.
    const std::wstring& BookName() const { return m_BookName; }
    short FileNum() const { return m_FileNum; }
    long CurrentRecord() const { return m_CurrentRecord; }
    long LastRecord() const { return m_LastRecord; }
    bool Dirty() const { return m_Dirty; }

private:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void FieldBoxes_Change(int Index);
    void FieldBoxes_GotFocus(int Index);
    void FieldBoxes_LostFocus(int Index);

    void OpenBook();
    void LoadRecordCount();
    void AppendBlankRecord();
    // A failed compaction is told with what the book's file now holds; the editor goes on.
    void CompactFile();
    std::wstring UncompactedBookText() const;
    bool BookIsReadOnly() const;
    // For a book that can only be read: says that the change is refused (true) and does nothing.
    bool RefusedForReadOnly(const std::wstring& refusal);
    void DeleteCurrentRecord();
    void FieldsToRecord();
    void ShowCurrentRecord();
    void SaveRecordIfChanged();
    void UpdateCaption();

    // Runs a handler's steps; a box the record cannot hold, or a failed file operation, ends
    // them with a message and leaves the editor as it is.
    template <class F>
    void Guarded(F&& steps);
    void ReportBookError(const rt::RuntimeError& e, const std::wstring& fileText);

    AccountRecord m_WorkRecord;
    AccountRecord m_ShownRecord;
    long m_CurrentRecord = 0;
    long m_LastRecord = 0;
    std::wstring m_BookName;
    std::wstring m_BookPath;  // the full path of the book's file, fixed when it was opened
    short m_FileNum = 0;
    bool m_Dirty = false;
    bool m_checkingPasswordNo = false;
};
