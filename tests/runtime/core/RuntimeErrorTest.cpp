#include "runtime/core/RuntimeError.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "tests/support/ChildProcess.h"

using namespace testing_support;

TEST(RuntimeError, CarriesNumberSourceAndStandardDescription) {
    try {
        rt::Raise(rt::err::kTypeMismatch);
        FAIL() << "Raise returned";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 13);
        EXPECT_EQ(e.Source(), rt::AppName());
        EXPECT_EQ(e.Description(), L"类型不匹配");
    }
    EXPECT_EQ(rt::AppName(), L"runtime_tests");
}

TEST(RuntimeError, ReportShowsNumberAndDescription) {
    EXPECT_EQ(rt::ReportText(rt::RuntimeError(53, L"x", {})), L"实时错误 '53':\n\n文件未找到");
    // Object errors are shown in decimal and in hexadecimal.
    const rt::RuntimeError object(rt::kObjectError | 13082, L"lumesca.WindowProc", L"Message already handled by another class");
    EXPECT_EQ(object.Number(), -2147208422L);
    EXPECT_EQ(rt::ReportText(object),
              L"实时错误 '-2147208422 (8004331a)':\n\nMessage already handled by another class");
}

TEST(ContinueOnError, SkipsExactlyTheFailingStatement) {
    std::vector<int> ran;
    const long last = rt::ContinueOnError({
        [&] { ran.push_back(1); },
        [&] {
            ran.push_back(2);
            rt::Raise(rt::err::kFileNotFound);
            ran.push_back(99);  // never reached: the rest of the failing statement is skipped
        },
        [&] { ran.push_back(3); },
    });
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(last, 53);
    EXPECT_EQ(rt::ContinueOnError({[] {}, [] {}}), 0);
}

TEST(ContinueOnError, DoesNotSwallowInternalFaults) {
    EXPECT_THROW(rt::ContinueOnError({[] { throw std::logic_error("bug"); }}), std::logic_error);
}

namespace {

// Runs error_probe in the given mode, answers its report box and returns what it showed.
struct FatalRun {
    std::wstring title;
    std::vector<std::wstring> texts;
    DWORD exitCode = 0;
};

FatalRun RunProbe(const std::wstring& mode) {
    FatalRun run;
    ChildProcess probe(L"\"" + BinDir() + L"\\error_probe.exe\" " + mode);
    EXPECT_TRUE(probe.Started());
    HWND box = probe.WaitForWindow(L"error_probe");
    EXPECT_NE(box, nullptr) << "no report box";
    if (box) {
        run.title = WindowText(box);
        run.texts = ChildTexts(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    run.exitCode = probe.WaitForExit();
    return run;
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& wanted) {
    for (const auto& t : texts)
        if (t.find(wanted) != std::wstring::npos) return true;
    return false;
}

}  // namespace

TEST(FatalReport, UncaughtErrorInWindowProcedureEndsProgramWithReport) {
    const FatalRun run = RunProbe(L"standard");
    EXPECT_EQ(run.title, L"error_probe");
    EXPECT_TRUE(Contains(run.texts, L"实时错误 '13':")) ;
    EXPECT_TRUE(Contains(run.texts, L"类型不匹配"));
    EXPECT_NE(run.exitCode, 0u);
    EXPECT_NE(run.exitCode, static_cast<DWORD>(STILL_ACTIVE));
}

TEST(FatalReport, ObjectErrorReportNamesTheObjectNumber) {
    const FatalRun run = RunProbe(L"object");
    EXPECT_TRUE(Contains(run.texts, L"实时错误 '-2147208422 (8004331a)':"));
    EXPECT_TRUE(Contains(run.texts, L"Message already handled by another class"));
    EXPECT_EQ(run.exitCode, 1u);
}

TEST(FatalReport, ProgramWithoutErrorEndsNormally) {
    ChildProcess probe(L"\"" + BinDir() + L"\\error_probe.exe\" quiet");
    HWND main = probe.WaitForWindow(L"Error probe");
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(probe.WaitForExit(), 0u);
}

// Running out of memory is a std::bad_alloc to a handler of failed allocations, a
// std::exception to one of any error, and error 7 to a statement in continue-on-error mode
// and to the program's report. The library's no-throw allocations still answer with a null
// pointer. The test program is large-address-aware as lumesca.exe is, so the request exceeds
// what either has.
TEST(OutOfMemory, AFailedAllocationIsAStdBadAllocThatTheRuntimeReportsAsError7) {
    volatile size_t tooMuch = 0xFFF00000;  // more than a 32-bit process has in one piece
    const auto allocate = [&] { ::operator delete(::operator new(tooMuch)); };
    try {
        allocate();
        ADD_FAILURE() << "the allocation succeeded";
    } catch (const std::bad_alloc& e) {
        EXPECT_NE(dynamic_cast<const rt::OutOfMemoryError*>(&e), nullptr);
    }
    try {
        allocate();
        ADD_FAILURE() << "the allocation succeeded";
    } catch (const std::exception& e) {
        EXPECT_NE(dynamic_cast<const rt::OutOfMemoryError*>(&e), nullptr);
    }
    std::vector<int> ran;
    EXPECT_EQ(rt::ContinueOnError({allocate, [&] { ran.push_back(2); }}), rt::err::kOutOfMemory);
    EXPECT_EQ(ran, std::vector<int>{2});
    EXPECT_EQ(rt::TryStatement([] { throw std::bad_alloc(); }), rt::err::kOutOfMemory);
    EXPECT_EQ(new (std::nothrow) char[tooMuch], nullptr);
}
