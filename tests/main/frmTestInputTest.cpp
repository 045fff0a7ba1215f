#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Form2.h"
#include "app/SettingsStore.h"
#include "banner/FRotFont.h"
#include "frame/cNeoCaption.h"
#include "main/frmTest.h"
#include "main/frmTextEffect.h"
#include "passbook/Form1.h"
#include "picture/form11.h"
#include "runtime/forms/Forms.h"
#include "runtime/core/Text.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DialogAnswers.h"
#include "tests/support/GdiCount.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"

using namespace testing_support;
using main_tests::MatchSkin;

namespace {

constexpr COLORREF kSkinnedBack = RGB(150, 203, 100);
constexpr COLORREF kTitleColour = 0x0080FFFF;
constexpr COLORREF kMenuTextColour = 0x00C0FFFF;

// A settings folder holding a database with the given skin; the windows read from it.
struct SettingsFixture {
    explicit SettingsFixture(short skin) {
        main_tests::WriteSettings(folder.Path(), skin);
        app::OverrideSettingsFolder(folder.Path());
    }
    ~SettingsFixture() { app::OverrideSettingsFolder(L""); }
    std::wstring Database() const { return main_tests::SettingsPath(folder.Path()); }
    TempFolder folder;
};

frmTest& ShownMain() {
    frmTest& f = rt::Forms::Get<frmTest>();
    f.Timer1.Enabled(false);  // the tests raise the pulse themselves
    f.Show();
    // Drawn as a user sees it: the frame has stopped changing.
    Settled([&] { return CaptureWindowFrame(f.hWnd()); });
    return f;
}

// Column groups of menu-text pixels in the menu band (x 90 .. width - 90, y 27 .. 54): one
// group per drawn button text.
std::vector<std::pair<int, int>> MenuTextGroups(const Pixels& frame) {
    std::vector<int> columns;
    for (int x = 90; x < frame.width - 90; ++x)
        for (int y = 27; y < 55; ++y)
            if (ColorNear(frame.At(x, y), kMenuTextColour, 48)) {  // the text is antialiased
                columns.push_back(x);
                break;
            }
    std::vector<std::pair<int, int>> groups;
    for (int x : columns) {
        if (!groups.empty() && x - groups.back().second <= 8) groups.back().second = x;
        else groups.push_back({x, x});
    }
    return groups;
}

int CountColour(const Pixels& p, RECT area, COLORREF colour) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) n += p.At(x, y) == colour;
    return n;
}

struct ShellCall {
    HWND hwnd;
    std::wstring operation, file, parameters, directory;
    INT show;
};
std::vector<ShellCall> g_shellCalls;

HINSTANCE WINAPI RecordShellCall(HWND hwnd, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                 LPCWSTR directory, INT show) {
    g_shellCalls.push_back({hwnd, operation, file, parameters, directory, show});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // what success looks like
}

}  // namespace

TEST(frmTest, OpensCentredWearingTheStoredSkinWithItsTitleMenuBandAndColour) {
    SettingsFixture settings(3);
    frmTest& f = ShownMain();
    EXPECT_EQ(f.SkinIndex(), 3);
    EXPECT_EQ(f.BackColor(), 0x0064CB96u);
    ASSERT_TRUE(f.Painter());
    EXPECT_EQ(f.Painter()->CaptionFont()->Name(), L"宋体");
    EXPECT_EQ(f.Painter()->CaptionFont()->Size(), 11);
    EXPECT_EQ(f.Painter()->MenuFont()->Name(), L"宋体");
    EXPECT_EQ(f.Painter()->MenuFont()->Size(), 9);
    EXPECT_EQ(f.Painter()->MenuBackgroundColor(), 0x00CF6796u);

    RECT r;
    GetWindowRect(f.hWnd(), &r);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 2);
    EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 2);

    const Pixels frame = CaptureWindowFrame(f.hWnd());
    const auto skin3 = MatchSkin(frame, 3);
    EXPECT_TRUE(skin3.All()) << skin3.matched << " of " << skin3.total;
    EXPECT_LT(MatchSkin(frame, 0).matched, skin3.total / 2);
    EXPECT_GT(CountColour(frame, {92, 11, 200, 32}, kTitleColour), 10) << "title drawn in the active colour";
    const auto groups = MenuTextGroups(frame);
    std::wstring seen;
    for (auto [a, b] : groups) seen += std::to_wstring(a) + L".." + std::to_wstring(b) + L" ";
    ASSERT_EQ(groups.size(), 2u) << "buttons for the two submenus, none for the statement item: "
                                 << rt::Utf8FromWide(seen);
    EXPECT_LT(groups[1].second, 400);

    const Pixels client = CaptureClient(f.hWnd());
    EXPECT_EQ(client.At(100, 100), kSkinnedBack);
}

TEST(frmTest, LastSkinAtLoadUsesTheLastPicturePair) {
    SettingsFixture settings(29);
    frmTest& f = ShownMain();
    EXPECT_EQ(f.SkinIndex(), 29);
    EXPECT_TRUE(MatchSkin(CaptureWindowFrame(f.hWnd()), 29).All());
}

TEST(frmTest, PulseColoursTheLabelsTickByTick) {
    SettingsFixture settings(0);
    frmTest& f = ShownMain();
    f.Timer1_Timer();
    EXPECT_EQ(f.Label1.ForeColor(), static_cast<OLE_COLOR>(RGB(50, 100, 50)));
    for (int tick = 2; tick <= 6; ++tick) f.Timer1_Timer();
    EXPECT_EQ(f.Pulse().PulseLevel, 300);
    EXPECT_EQ(f.Label1.ForeColor(), static_cast<OLE_COLOR>(RGB(255, 100, 255)));
    EXPECT_EQ(f.Label2.ForeColor(), static_cast<OLE_COLOR>(RGB(255, 100, 255)));
    EXPECT_EQ(f.Label4.ForeColor(), static_cast<OLE_COLOR>(RGB(255, 0, 150)));
    f.Refresh();
    PumpPending();
    const Pixels client = CaptureClient(f.hWnd());
    EXPECT_GT(CountColour(client, f.Label1.PixelRect(), RGB(255, 100, 255)), 5) << "Label1's text shows the colour";
    f.Timer1_Timer();
    EXPECT_EQ(f.Pulse().PulseLevel, 250);
}

TEST(frmTest, SkinPanelIsPlacedFromTheWindowsCurrentWidth) {
    SettingsFixture settings(0);
    frmTest& f = ShownMain();
    EXPECT_FALSE(f.Frame1.Visible());
    f.d111_Click();
    EXPECT_TRUE(f.Frame1.Visible());
    EXPECT_TRUE(f.Shape1.Visible());
    const float width = static_cast<float>(f.ScaleWidth());
    EXPECT_FLOAT_EQ(static_cast<float>(f.Frame1.Left()), width - 4185 - 1140);
    EXPECT_FLOAT_EQ(static_cast<float>(f.Shape1.Left()), width - 4665 - 900);
    EXPECT_EQ(f.Frame1.Top(), 5730);

    f.WindowState(rt::WindowState::Maximized);
    PumpPending();
    const float wider = static_cast<float>(f.ScaleWidth());
    ASSERT_GT(wider, width);
    f.d111_Click();
    EXPECT_FLOAT_EQ(static_cast<float>(f.Frame1.Left()), wider - 4185 - 1140);

    f.Option1(5).Value(true);
    f.RainButton5_Click();
    EXPECT_FALSE(f.Frame1.Visible());
    EXPECT_FALSE(f.Shape1.Visible());
    EXPECT_TRUE(f.Option1(5).Value()) << "the choice stays selected";
}

TEST(frmTest, ConfirmingStoresTheSkinAndRedressesAtOnce) {
    SettingsFixture settings(0);
    frmTest& f = ShownMain();
    const std::weak_ptr<cNeoCaption> first = f.Painter();
    f.d111_Click();
    f.Option1(4).Value(true);
    f.RainButton4_Click();
    PumpPending();
    EXPECT_EQ(main_tests::StoredField0(settings.folder.Path()), store::Variant(std::int16_t{4}));
    EXPECT_EQ(f.SkinIndex(), 4);
    EXPECT_TRUE(first.expired()) << "the previous painter is released";
    EXPECT_EQ(f.BackColor(), 0x0064CB96u);
    const Pixels frame = CaptureWindowFrame(f.hWnd());
    EXPECT_TRUE(MatchSkin(frame, 4).All());
    EXPECT_EQ(MenuTextGroups(frame).size(), 2u) << "the new painter found the menu again";
    EXPECT_TRUE(f.Frame1.Visible()) << "the panel stays open";
}

// Shift+Tab from 确定选择 reaches the options at the selected one (the first while none is),
// the arrow keys select as they go, and Space on 确定选择 stores what they selected: an option
// of each column.
TEST(frmTest, TheSkinPanelIsChosenWithTabAndTheArrowKeysAlone) {
    SettingsFixture settings(0);
    frmTest& f = ShownMain();
    f.d111_Click();
    int clicks = 0;
    f.Option1.On(&rt::OptionButton::Click, [&](int) { ++clicks; });
    int focused = 0;
    ASSERT_TRUE(FocusOn(f.hWnd(), f.RainButton4.hWnd()));
    for (const auto& [down, chosen] : {std::pair{3, 3}, {10, 13}, {12, 25}}) {
        Key(VK_TAB, {VK_SHIFT});
        EXPECT_TRUE(PumpUntil([&] { return GetFocus() == f.Option1(focused).hWnd(); })) << "Tab lands on the selected option";
        for (int i = 0; i < down; ++i) Key(i % 2 ? VK_RIGHT : VK_DOWN);
        EXPECT_TRUE(PumpUntil([&] { return f.Option1(chosen).Value(); }));
        Key(VK_TAB);
        ASSERT_TRUE(PumpUntil([&] { return GetFocus() == f.RainButton4.hWnd(); }));
        Key(VK_SPACE);
        EXPECT_TRUE(PumpUntil([&] { return f.SkinIndex() == chosen; }));
        EXPECT_EQ(main_tests::StoredField0(settings.folder.Path()), store::Variant(static_cast<std::int16_t>(chosen)));
        ASSERT_EQ(GetFocus(), f.RainButton4.hWnd()) << "the new skin's frame left the focus where it was";
        focused = chosen;
    }
    EXPECT_EQ(clicks, 25) << "each arrow raised the click of the option it selected";
}

TEST(frmTest, ConfirmingWithNothingSelectedStoresNothingAndShowsSkinZero) {
    SettingsFixture settings(6);
    frmTest& f = ShownMain();
    f.RainButton4_Click();
    PumpPending();
    EXPECT_EQ(main_tests::StoredField0(settings.folder.Path()), store::Variant(std::int16_t{6}));
    EXPECT_EQ(f.SkinIndex(), 6);
    EXPECT_TRUE(MatchSkin(CaptureWindowFrame(f.hWnd()), 0).All());
}

TEST(frmTest, WithoutTheDatabaseConfirmingChangesTheLookStoresNothingAndSaysNothing) {
    SettingsFixture settings(2);
    frmTest& f = ShownMain();
    ASSERT_TRUE(DeleteFileW(settings.Database().c_str()));
    f.Option1(7).Value(true);
    f.RainButton4_Click();
    PumpPending();
    EXPECT_FALSE(main_tests::FileExists(settings.Database()));
    EXPECT_EQ(VisibleDialog(), nullptr);
    EXPECT_TRUE(MatchSkin(CaptureWindowFrame(f.hWnd()), 7).All());
    EXPECT_EQ(f.BackColor(), 0x0072BD1Eu) << "the skin's own panel colour stays when the skin cannot be read";
}

TEST(frmTest, PeopleAndFederationSkinsPutPanelPicturesBehindTheControlsForTheRun) {
    SettingsFixture settings(0);
    frmTest& f = ShownMain();
    EXPECT_FALSE(f.Picture());
    f.Option1(24).Value(true);
    f.RainButton4_Click();
    EXPECT_EQ(f.Picture(), f.Image2.Picture());
    f.Option1(3).Value(true);
    f.RainButton4_Click();
    EXPECT_EQ(f.Picture(), f.Image2.Picture()) << "a later choice keeps the picture";
    f.Option1(29).Value(true);
    f.RainButton4_Click();
    EXPECT_EQ(f.Picture(), f.Image1.Picture());
}

TEST(frmTest, TwoHundredSkinChangesLeaveNoGdiGrowthAndTheMenuBandDrawn) {
    SettingsFixture settings(0);
    frmTest& f = ShownMain();
    auto change = [&](int i) {
        f.Option1(i % 30).Value(true);
        f.RainButton4_Click();
        PumpPending();
    };
    for (int i = 0; i < 10; ++i) change(i);
    const unsigned long before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) change(i);
    const unsigned long after = GdiObjectCount();
    std::printf("GDI objects before %lu, after 200 skin changes %lu\n", before, after);
    EXPECT_LE(after, before + 10);
    const Pixels frame = CaptureWindowFrame(f.hWnd());
    EXPECT_TRUE(MatchSkin(frame, 199 % 30).All());
    EXPECT_EQ(MenuTextGroups(frame).size(), 2u);
}

TEST(frmTest, ToolWindowsAreSingleInstancesOwnedByTheMainWindow) {
    SettingsFixture settings(0);
    frmTest& f = ShownMain();
    f.f111_Click();
    f.Sembrel_Click();
    f.ccc_Click();
    HWND player = rt::Forms::Get<form11>().hWnd();
    EXPECT_EQ(GetWindow(player, GW_OWNER), f.hWnd());
    EXPECT_EQ(WindowText(player), L"Quorrin");
    EXPECT_EQ(WindowText(rt::Forms::Get<FRotFont>().hWnd()), L"Sembrel");
    EXPECT_EQ(GetWindow(rt::Forms::Get<frmTextEffect>().hWnd(), GW_OWNER), f.hWnd());
    f.f111_Click();
    EXPECT_EQ(rt::Forms::Get<form11>().hWnd(), player) << "shown again, not loaded again";
    EXPECT_FALSE(rt::Forms::IsLoaded<Form1>()) << "nothing opens the password book";
    EXPECT_FALSE(rt::Forms::IsLoaded<Form2>()) << "nothing in the main window opens the chooser";
}

TEST(frmTest, LinkLabelsCarryTheHandCursorAndTheWindowItsIcon) {
    SettingsFixture settings(0);
    frmTest& f = ShownMain();
    for (rt::Label* link : {&f.Label4, &f.Label5, &f.Label6, &f.Label7}) {
        EXPECT_EQ(link->MousePointer(), rt::MousePointer::Custom);
        ASSERT_TRUE(link->MouseIcon());
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(link->MouseIcon()->Icon(), &info));
        EXPECT_FALSE(info.fIcon) << "a cursor";
        EXPECT_EQ(info.xHotspot, 5u);
        EXPECT_EQ(info.yHotspot, 0u);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    ASSERT_TRUE(f.Icon());
    EXPECT_EQ(f.Icon()->PixelWidth(), 32);
    EXPECT_EQ(f.Image1.Picture()->PixelWidth(), 320);
    EXPECT_EQ(f.Image1.Picture()->PixelHeight(), 230);
    EXPECT_EQ(f.Image2.Picture()->PixelHeight(), 234);
}

TEST(frmTest, EachLinkLabelOpensItsOwnAddressThroughTheShellShownNormally) {
    SettingsFixture settings(0);
    frmTest& f = ShownMain();
    f.ShellOpen = RecordShellCall;
    g_shellCalls.clear();
    ASSERT_TRUE(MakeForeground(f.hWnd()));
    for (rt::Label* link : {&f.Label4, &f.Label5, &f.Label6, &f.Label7}) {
        const RECT r = link->PixelRect();
        Click(OnScreen(f.hWnd(), r.left + 8, (r.top + r.bottom) / 2));
    }
    ASSERT_EQ(g_shellCalls.size(), 4u);
    std::vector<std::wstring> files;
    for (const ShellCall& call : g_shellCalls) {
        EXPECT_EQ(call.hwnd, f.hWnd());
        EXPECT_EQ(call.operation, L"open");
        EXPECT_EQ(call.parameters, L"");
        EXPECT_EQ(call.directory, L"");
        EXPECT_EQ(call.show, SW_SHOW) << "shown as the window definition asks (5), not 1";
        EXPECT_EQ(call.file.rfind(L"http://", 0), 0u);
        files.push_back(call.file);
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(std::unique(files.begin(), files.end()), files.end()) << "an address of its own per label";
}
