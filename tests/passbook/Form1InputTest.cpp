// The password book's editor under real input: the name prompt and the file layer's boxes
// are answered through their windows; the boxes are typed into and the buttons clicked as a
// user would, and the book's bytes are read back after each step.
#include "passbook/Form1.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "passbook/AccountRecord.h"
#include "passbook/RecordTexts.h"
#include "runtime/forms/Forms.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"
#include "tests/support/DialogAnswers.h"
#include "tests/passbook/BookBytes.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Places.h"

using namespace passbook_tests;
using namespace testing_support;

namespace {

// Dispatches what is waiting like the program's loop, so that Tab moves between the boxes.
void Pump() { PumpPending(Processing::Program); }

void SendKeys(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Pump();
}

void Type(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        for (DWORD up : {0UL, static_cast<DWORD>(KEYEVENTF_KEYUP)}) {
            INPUT in = {};
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = c;
            in.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(in);
        }
    }
    SendKeys(inputs);
}

void PressTab() {
    std::vector<INPUT> inputs(2);
    for (int i = 0; i < 2; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = VK_TAB;
        inputs[i].ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_TAB, MAPVK_VK_TO_VSC));
        inputs[i].ki.dwFlags = i ? KEYEVENTF_KEYUP : 0;
    }
    SendKeys(inputs);
}

std::wstring Upper(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string Stored(const AccountRecord& r) {
    const RecordBytes bytes = EncodeRecord(r);
    return std::string(bytes.begin(), bytes.end());
}

AccountRecord Numbered(long i) {
    AccountRecord r;
    r.PasswordNo = static_cast<short>(i);
    r.HolderName = FieldText(L"户主" + std::to_wstring(i), kNameWidth);
    return r;
}

std::string NumberedBook(long records) {
    std::string book;
    for (long i = 1; i <= records; ++i) book += Stored(Numbered(i));
    return book;
}

// Unloads the editor and closes every file when a test ends.
struct EditorCleanup {
    ~EditorCleanup() {
        for (rt::Form* form : rt::Forms::detail::Loaded()) form->Unload();
        PumpPending();
        rt::CloseAll();
    }
};

// Loads the editor and answers its name prompt with the book's path (and the create
// question when the book is new).
Form1& OpenEditor(const std::wstring& book, bool create = false) {
    std::vector<DialogAnswers::Action> answers{Press(IDOK, book)};
    if (create) answers.push_back(Press(IDOK));
    DialogAnswers prompt(answers);
    Form1& f = rt::Forms::Get<Form1>();
    EXPECT_EQ(prompt.Seen().size(), answers.size());
    EXPECT_TRUE(MakeForeground(f.hWnd()));
    Pump();
    return f;
}

void Click(const ctl::RainButton& button) {
    RECT r = {};
    GetWindowRect(button.hWnd(), &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Pump();
}

void TypeInto(Form1& f, int box, const std::wstring& text) {
    f.FieldBoxes(box).SetFocus();
    Pump();
    Type(text);
}

HWND Focused() { return GetFocus(); }

// Clicks the button and answers the boxes it brings up; returns what they showed.
std::vector<SeenDialog> ClickAnswering(const ctl::RainButton& button, std::vector<DialogAnswers::Action> answers) {
    DialogAnswers dialogs(std::move(answers));
    Click(button);
    return dialogs.Seen();
}

bool ShowedOnly(const std::vector<SeenDialog>& seen, const std::wstring& text) {
    return seen.size() == 1 && DialogAnswers::Shows(seen[0], text);
}

// One box came up, and one of its texts holds this part.
bool Mentions(const std::vector<SeenDialog>& seen, const std::wstring& part) {
    if (seen.size() != 1) return false;
    for (const auto& text : seen[0].texts)
        if (text.find(part) != std::wstring::npos) return true;
    return false;
}

std::wstring TitleOfOnly(const std::vector<SeenDialog>& seen) { return seen.size() == 1 ? seen[0].title : L"?"; }

// A book of numbered records, opened in the editor.
Form1& EditorOnBook(const std::wstring& book, long records) {
    EXPECT_TRUE(WriteBytes(book, NumberedBook(records)));
    return OpenEditor(book);
}

std::wstring LastRecordMessage(long n) { return L"已到最后一条记录 " + NumberText(n) + L"."; }

}  // namespace

TEST(Form1Editor, NewBookGetsABlankRecordAndTypedFieldsAreWrittenWhenMovingOn) {
    TempFolder folder;
    EditorCleanup cleanup;  // after the folder: the editor lets go of the book first
    const std::wstring book = folder.File(L"new book");  // the inner blank is refused first
    const std::wstring good = folder.File(L"NEWBOOK");
    DeleteFileW(good.c_str());  // a folder of an earlier run under the same process id
    DialogAnswers prompt({Press(IDOK, book), Press(IDOK), Press(IDOK, good),
                          Press(IDOK)});
    Form1& f = rt::Forms::Get<Form1>();
    ASSERT_EQ(prompt.SeenTitles(),
              (std::vector<std::wstring>{L"打开密码本", L"File Error", L"打开密码本", L"Create File?"}));
    ASSERT_TRUE(MakeForeground(f.hWnd()));
    EXPECT_EQ(ReadAll(good), Stored(BlankRecord()));
    EXPECT_EQ(f.Caption(), Upper(good) + L": 密码本中的记录  1 of  1");
    for (int i = 0; i < kFieldBoxCount; ++i) EXPECT_EQ(f.FieldBoxes(i).Text(), L"") << i;
    EXPECT_FALSE(f.Dirty());

    TypeInto(f, kHolderNameBox, L"张三");
    TypeInto(f, kBankNameBox, L"工行");
    TypeInto(f, kPasswordNoBox, L"32767");
    TypeInto(f, kCardNameBox, L"牡丹卡");
    TypeInto(f, kBalanceBox, L"1234.5");
    TypeInto(f, kRemarksBox, L"备注");
    EXPECT_TRUE(f.Dirty());
    AccountRecord expected;
    expected.HolderName = FieldText(L"张三", kNameWidth);
    expected.BankName = FieldText(L"工行", kNameWidth);
    expected.PasswordNo = 32767;
    expected.CardName = FieldText(L"牡丹卡", kNameWidth);
    expected.Balance = 1234.5;
    expected.Remarks = FieldText(L"备注", kRemarksWidth);
    EXPECT_TRUE(ShowedOnly(ClickAnswering(f.RainButton4, {Press(IDOK)}), LastRecordMessage(1)));
    EXPECT_EQ(ReadAll(good), Stored(expected));
    EXPECT_EQ(f.FieldBoxes(kBalanceBox).Text(), L"\uFFE51,234.50");
    EXPECT_FALSE(f.Dirty());

    // Unchanged, the record is not written again: a change made behind the editor's back stays.
    AccountRecord behind = expected;
    behind.Remarks = FieldText(L"changed elsewhere", kRemarksWidth);
    ASSERT_TRUE(WriteBytes(good, Stored(behind)));
    EXPECT_EQ(ClickAnswering(f.RainButton4, {Press(IDOK)}).size(), 1u);
    EXPECT_EQ(ReadAll(good), Stored(behind));

    // Letters are no number: 0 is stored and the box shows empty.
    TypeInto(f, kPasswordNoBox, L"abc");
    ClickAnswering(f.RainButton4, {Press(IDOK)});
    AccountRecord letters = DecodeRecord(reinterpret_cast<const unsigned char*>(ReadAll(good).data()));
    EXPECT_EQ(letters.PasswordNo, 0);
    EXPECT_EQ(f.FieldBoxes(kPasswordNoBox).Text(), L"");
}

TEST(Form1Editor, PasswordNumberAbove32767BringsTheFocusBack) {
    TempFolder folder;
    EditorCleanup cleanup;  // after the folder: the editor lets go of the book first
    const std::wstring book = folder.File(L"BOOK");
    Form1& f = EditorOnBook(book, 1);
    {
        DialogAnswers range({Press(IDOK)});
        TypeInto(f, kPasswordNoBox, L"40000");
        PressTab();
        Pump();
        ASSERT_EQ(range.Seen().size(), 1u);
        EXPECT_TRUE(DialogAnswers::Shows(range.Seen()[0], L"Enter a number less than 32,768"));
    }
    EXPECT_EQ(Focused(), f.FieldBoxes(kPasswordNoBox).hWnd());
    {
        DialogAnswers none({});
        TypeInto(f, kPasswordNoBox, L"32767");
        PressTab();
        EXPECT_TRUE(none.Seen().empty());
    }
    EXPECT_EQ(Focused(), f.FieldBoxes(kCardNameBox).hWnd());
}

TEST(Form1Editor, ValuesTheRecordCannotHoldAreRefusedAndNothingIsWritten) {
    TempFolder folder;
    EditorCleanup cleanup;  // after the folder: the editor lets go of the book first
    const std::wstring book = folder.File(L"BOOK");
    const std::string before = NumberedBook(2);
    ASSERT_TRUE(WriteBytes(book, before));
    Form1& f = OpenEditor(book);
    const struct {
        int box;
        const wchar_t* text;
    } cases[] = {{kPasswordNoBox, L"-40000"}, {kBalanceBox, L"1E+20"}, {kLastDepositDateBox, L"1500-01-01"}};
    for (const auto& c : cases) {
        TypeInto(f, c.box, c.text);
        ASSERT_EQ(TitleOfOnly(ClickAnswering(f.RainButton4, {Press(IDOK)})), L"密码本") << c.box;
        EXPECT_EQ(Focused(), f.FieldBoxes(c.box).hWnd()) << c.box;
        EXPECT_EQ(f.CurrentRecord(), 1) << "the editor stays on the record";
        EXPECT_EQ(ReadAll(book), before);
        TypeInto(f, c.box, L"");
        f.FieldBoxes(c.box).Text(c.box == kPasswordNoBox ? L"1" : L"");
    }
    // Mended, the editor goes on.
    Click(f.RainButton4);
    EXPECT_EQ(f.CurrentRecord(), 2);
}

TEST(Form1Editor, PreviousAndNextStopAtTheEndsWithTheirMessages) {
    TempFolder folder;
    EditorCleanup cleanup;  // after the folder: the editor lets go of the book first
    const std::wstring book = folder.File(L"TWELVE");
    Form1& f = EditorOnBook(book, 12);
    EXPECT_TRUE(ShowedOnly(ClickAnswering(f.RainButton3, {Press(IDOK)}), L"已到第一条记录"));
    EXPECT_EQ(f.CurrentRecord(), 1);
    for (int i = 0; i < 11; ++i) f.RainButton4_Click();
    EXPECT_EQ(f.FieldBoxes(kHolderNameBox).Text(), L"户主12");
    EXPECT_EQ(f.Caption(), Upper(book) + L": 密码本中的记录  12 of  12");
    EXPECT_TRUE(ShowedOnly(ClickAnswering(f.RainButton4, {Press(IDOK)}), L"已到最后一条记录  12."));
    EXPECT_EQ(f.CurrentRecord(), 12);
    EXPECT_EQ(ReadAll(book), NumberedBook(12));
}

TEST(Form1Editor, DeletingShiftsCompactsAndTheLastRecordDeletesTheFile) {
    TempFolder folder;
    EditorCleanup cleanup;  // after the folder: the editor lets go of the book first
    const std::wstring book = folder.File(L"THREE");
    Form1& f = EditorOnBook(book, 3);
    Click(f.RainButton4);
    Click(f.RainButton2);
    EXPECT_EQ(ReadAll(book), Stored(Numbered(1)) + Stored(Numbered(3)));
    EXPECT_EQ(ReadAll(book).size(), 218u);
    EXPECT_EQ(f.CurrentRecord(), 2);
    EXPECT_EQ(f.FieldBoxes(kHolderNameBox).Text(), L"户主3");
    f.Unload();
    rt::CloseAll();

    const std::wstring five = folder.File(L"FIVE");
    Form1& g = EditorOnBook(five, 5);
    for (int i = 0; i < 4; ++i) g.RainButton4_Click();
    Click(g.RainButton2);
    EXPECT_EQ(g.CurrentRecord(), 4);
    EXPECT_EQ(g.Caption(), Upper(five) + L": 密码本中的记录  4 of  4");
    EXPECT_EQ(ReadAll(five), NumberedBook(4));
    g.Unload();
    rt::CloseAll();

    const std::wstring one = folder.File(L"ONE");
    Form1& h = EditorOnBook(one, 1);
    EXPECT_TRUE(ShowedOnly(ClickAnswering(h.RainButton2, {Press(IDCANCEL)}),
                           L"This is the last record in the file. Deleting it will delete the entire file. Record "
                           L"Editor will also be closed. Choose OK to delete the file."));
    EXPECT_EQ(ReadAll(one), NumberedBook(1));
    ClickAnswering(h.RainButton2, {Press(IDOK)});
    Pump();
    EXPECT_FALSE(rt::FileExists(one));
    EXPECT_FALSE(rt::Forms::IsLoaded<Form1>());
}

TEST(Form1Editor, CancellingOpenAnotherKeepsTheRecordWithTheButtonsDisabled) {
    TempFolder folder;
    EditorCleanup cleanup;  // after the folder: the editor lets go of the book first
    const std::wstring book = folder.File(L"BOOK");
    Form1& f = EditorOnBook(book, 2);
    const std::wstring caption = f.Caption();
    EXPECT_EQ(TitleOfOnly(ClickAnswering(f.RainButton5, {Press(IDCANCEL)})), L"打开密码本");
    EXPECT_FALSE(f.FileIOFrame.Enabled());
    EXPECT_FALSE(IsWindowEnabled(f.FileIOFrame.hWnd()));
    EXPECT_EQ(f.FieldBoxes(kHolderNameBox).Text(), L"户主1");
    EXPECT_EQ(f.Caption(), caption);
    EXPECT_TRUE(ClickAnswering(f.RainButton4, {}).empty()) << "inside the disabled frame: nothing happens";
    EXPECT_EQ(ReadAll(book), NumberedBook(2));
}

TEST(Form1Editor, ExitWritesAChangeBeforeCompactingAndOtherwiseKeepsTheBytes) {
    TempFolder folder;
    EditorCleanup cleanup;  // after the folder: the editor lets go of the book first
    const std::wstring book = folder.File(L"BOOK");
    ASSERT_TRUE(WriteBytes(book, NumberedBook(3) + std::string(20, 's')));
    Form1& f = OpenEditor(book);
    TypeInto(f, kBankNameBox, L"农行");
    Click(f.RainButton6);
    AccountRecord changed = Numbered(1);
    changed.BankName = FieldText(L"农行", kNameWidth);
    EXPECT_EQ(ReadAll(book), Stored(changed) + Stored(Numbered(2)) + Stored(Numbered(3)));
    EXPECT_FALSE(IsWindowVisible(f.hWnd()));

    f.Show();
    Pump();
    const std::string kept = ReadAll(book);
    Click(f.RainButton6);
    EXPECT_EQ(ReadAll(book), kept);
    EXPECT_FALSE(IsWindowVisible(f.hWnd()));
}

TEST(Form1Editor, CloseBoxClosesTheBookAndTheNextLoadStartsAfresh) {
    TempFolder folder;
    EditorCleanup cleanup;  // after the folder: the editor lets go of the book first
    const std::wstring book = folder.File(L"BOOK");
    Form1& f = EditorOnBook(book, 2);
    TypeInto(f, kHolderNameBox, L"never saved");
    SendMessageW(f.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    ASSERT_FALSE(rt::Forms::IsLoaded<Form1>());
    EXPECT_EQ(ReadAll(book), NumberedBook(2)) << "closing saves nothing";
    // The book's file is closed: nobody else holds it open.
    HANDLE alone = CreateFileW(book.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(alone, INVALID_HANDLE_VALUE);
    CloseHandle(alone);

    Form1& again = OpenEditor(book);
    EXPECT_EQ(again.FieldBoxes(kHolderNameBox).Text(), L"户主1");
    Click(again.RainButton4);
    EXPECT_EQ(ReadAll(book), NumberedBook(2)) << "the first record was not overwritten";
}

TEST(Form1Editor, FailedRecordWriteGivesAMessageAndTheEditorGoesOn) {
    EditorCleanup cleanup;
    // An empty book where no more data fits: it counts no record, and the blank record the
    // editor then writes meets a full disk.
    const std::wstring full = PlaceFolder(L"passbook-full");
    if (full.empty()) GTEST_SKIP() << "no full place: mounting a tmpfs needs root";
    const std::wstring book = full + L"\\EMPTY";
    DialogAnswers answers({Press(IDOK, book), Press(IDOK)});
    Form1& f = rt::Forms::Get<Form1>();
    ASSERT_EQ(answers.SeenTitles(), (std::vector<std::wstring>{L"打开密码本", L"密码本"}));
    EXPECT_NE(answers.Seen()[1].texts.size(), 0u);
    EXPECT_NE(f.FileNum(), 0);
    EXPECT_EQ(f.LastRecord(), 0) << "no record was added";
    EXPECT_TRUE(IsWindowVisible(f.hWnd()));
    EXPECT_EQ(TitleOfOnly(ClickAnswering(f.RainButton1, {Press(IDOK)})), L"密码本");
    EXPECT_EQ(f.LastRecord(), 0);
}

TEST(Form1Editor, CompactionLeavesOtherFilesAloneAndExitAlwaysCloses) {
    TempFolder folder;
    EditorCleanup cleanup;  // after the folder: the editor lets go of the book first
    const std::wstring book = folder.File(L"BOOK1");
    const std::wstring other = folder.File(L"~~TMP~~.TMP");
    ASSERT_TRUE(WriteBytes(other, NumberedBook(7)));
    Form1& f = EditorOnBook(book, 4);
    Click(f.RainButton4);
    Click(f.RainButton2);
    EXPECT_EQ(ReadAll(book), Stored(Numbered(1)) + Stored(Numbered(3)) + Stored(Numbered(4)));

    // Another program holds the book open and maps it: it can be neither replaced nor cut.
    HANDLE reader = CreateFileW(book.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    HANDLE mapping = CreateFileMappingW(reader, nullptr, PAGE_READONLY, 0, 0, nullptr);
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(view, nullptr);
    const std::wstring twice = L"最后一条记录在文件末尾存了两遍";
    EXPECT_TRUE(Mentions(ClickAnswering(f.RainButton2, {Press(IDOK)}), twice));
    const std::string shifted = Stored(Numbered(1)) + Stored(Numbered(4)) + Stored(Numbered(4));
    EXPECT_EQ(ReadAll(book), shifted);
    EXPECT_EQ(f.Caption(), Upper(book) + L": 密码本中的记录  2 of  2");
    EXPECT_TRUE(Mentions(ClickAnswering(f.RainButton6, {Press(IDOK)}), twice));
    EXPECT_EQ(ReadAll(book), shifted);
    EXPECT_FALSE(IsWindowVisible(f.hWnd())) << "Exit closes all the same";

    // Held open without the mapping, the book is cut where it stands.
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    f.Show();
    Pump();
    EXPECT_TRUE(ClickAnswering(f.RainButton6, {}).empty());
    EXPECT_EQ(ReadAll(book), Stored(Numbered(1)) + Stored(Numbered(4)));
    EXPECT_FALSE(IsWindowVisible(f.hWnd()));
    CloseHandle(reader);
    EXPECT_EQ(ReadAll(other), NumberedBook(7));
}

// Delete and Exit keep the book the file it was: a hidden book stays hidden, and a book reached
// through a symbolic link is compacted in the file the link names, which it still names.
TEST(Form1Editor, DeleteAndExitKeepAHiddenBookHiddenAndALinkALink) {
    TempFolder folder;
    std::wstring linked = L"Z:" PASSBOOK_LINKED_BOOK_FOLDER "/LINKED";
    std::replace(linked.begin(), linked.end(), L'/', L'\\');
    const std::wstring real = linked.substr(0, linked.size() - 6) + L"REAL";
    const std::string compacted = Stored(Numbered(1)) + Stored(Numbered(3));
    for (const std::wstring& book : {folder.File(L"HIDDEN"), linked}) {
        EditorCleanup cleanup;
        ASSERT_TRUE(WriteBytes(book == linked ? real : book, NumberedBook(3)));
        if (book != linked) {
            ASSERT_TRUE(SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_HIDDEN));
        }
        // The name check finds no hidden file, so the editor asks to create the book; OK opens
        // it as it stands.
        Form1& f = OpenEditor(book, book != linked);
        Click(f.RainButton4);
        Click(f.RainButton2);
        EXPECT_TRUE(ClickAnswering(f.RainButton6, {}).empty());
        EXPECT_FALSE(IsWindowVisible(f.hWnd()));
        EXPECT_EQ(ReadAll(book), compacted);
        if (book == linked) {
            EXPECT_EQ(ReadAll(real), compacted) << "the link names the compacted book";
        } else {
            EXPECT_TRUE(GetFileAttributesW(book.c_str()) & FILE_ATTRIBUTE_HIDDEN) << "still hidden";
        }
    }
}

// Where the copy of the book cannot be made (a place that takes no new file, a place where no
// more data fits), Exit after a Delete cuts the book to its records where it stands, changes no
// other file, and closes.
TEST(Form1Editor, ExitAfterADeleteWhereNoCopyFitsCutsTheBookInPlace) {
    for (const wchar_t* place : {L"passbook-nonew", L"passbook-full"}) {
        const std::wstring folder = PlaceFolder(place);
        if (folder.empty()) GTEST_SKIP() << "no such place: mounting a tmpfs needs root";
        EditorCleanup cleanup;
        const std::wstring book = folder + L"\\EDITOR";
        const long records = FillWithRecords(book, kRecordLength, [](long i) { return Stored(Numbered(i)); });
        ASSERT_GT(records, 2);
        auto others = FilesWithBytes(folder);
        others.erase(L"EDITOR");
        Form1& f = OpenEditor(book);
        Click(f.RainButton4);
        Click(f.RainButton2);
        EXPECT_TRUE(ClickAnswering(f.RainButton6, {}).empty()) << "the book holds its records: nothing to say";
        EXPECT_FALSE(IsWindowVisible(f.hWnd()));
        std::string left = Stored(Numbered(1));
        for (long i = 3; i <= records; ++i) left += Stored(Numbered(i));
        EXPECT_TRUE(ReadAll(book) == left) << "the second record gone, the book cut after the last";
        auto after = FilesWithBytes(folder);
        after.erase(L"EDITOR");
        EXPECT_TRUE(after == others);
    }
}

TEST(Form1Editor, AReadOnlyBookIsBrowsedButNeverWritten) {
    TempFolder folder;
    EditorCleanup cleanup;  // after the folder: the editor lets go of the book first
    const std::wstring book = folder.File(L"LOCKED");
    ASSERT_TRUE(WriteBytes(book, NumberedBook(3) + "tail") && SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_READONLY));
    const DWORD attributes = GetFileAttributesW(book.c_str());
    DialogAnswers opening({Press(IDOK, book), Press(IDOK)});
    Form1& f = rt::Forms::Get<Form1>();
    ASSERT_EQ(opening.SeenTitles(), (std::vector<std::wstring>{L"打开密码本", L"密码本"}));
    EXPECT_TRUE(Mentions({opening.Seen()[1]}, L"所做的修改都不能保存"));
    ASSERT_TRUE(MakeForeground(f.hWnd()));
    Click(f.RainButton4);
    TypeInto(f, kHolderNameBox, L"改名");
    EXPECT_TRUE(Mentions(ClickAnswering(f.RainButton4, {Press(IDOK)}), L"这条记录的修改没有保存"));
    EXPECT_EQ(f.CurrentRecord(), 3);
    EXPECT_TRUE(Mentions(ClickAnswering(f.RainButton1, {Press(IDOK)}), L"不能添加记录"));
    EXPECT_TRUE(Mentions(ClickAnswering(f.RainButton2, {Press(IDOK)}), L"不能删除记录"));
    TypeInto(f, kBankNameBox, L"改");
    EXPECT_TRUE(Mentions(ClickAnswering(f.RainButton6, {Press(IDOK)}), L"这条记录的修改没有保存"));
    EXPECT_FALSE(IsWindowVisible(f.hWnd()));
    EXPECT_EQ(ReadAll(book), NumberedBook(3) + "tail");
    EXPECT_EQ(GetFileAttributesW(book.c_str()), attributes);
    SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that the folder can go
}

TEST(Form1Editor, CancellingTheFirstPromptEndsTheProgram) {
    ChildProcess child(L"\"" + BinDir() + L"\\passbook_probe.exe\" editor");
    HWND prompt = child.WaitForWindow(L"打开密码本");
    ASSERT_NE(prompt, nullptr);
    EXPECT_NE(child.WaitForWindow(L"密码本", 5000), nullptr) << "the editor is shown under the prompt";
    PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(child.WaitForExit(), 0u) << "the program ended at once";
}
