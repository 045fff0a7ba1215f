#include "runtime/core/RuntimeError.h"

#include <windows.h>

#include <cstdio>
#include <map>

#include "runtime/core/Text.h"

namespace rt {

RuntimeError::RuntimeError(long number, std::wstring source, std::wstring description)
    : m_number(number), m_source(std::move(source)), m_description(std::move(description)) {
    if (m_description.empty()) m_description = StandardDescription(m_number);
    m_what = "Run-time error " + std::to_string(m_number) + ": " + Utf8FromWide(m_description);
}

const char* OutOfMemoryError::what() const noexcept { return "Run-time error 7: out of memory"; }

namespace {

[[noreturn]] void RaiseOutOfMemory() { throw OutOfMemoryError(); }

// Installed while the program starts, before any window or picture exists; this file is
// linked into every program that raises run-time errors.
[[maybe_unused]] const std::new_handler g_previousNewHandler = std::set_new_handler(RaiseOutOfMemory);

}  // namespace

std::wstring AppName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    const auto slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    const auto dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}

std::wstring StandardDescription(long number) {
    // The texts of the runtime's Simplified Chinese edition.
    static const std::map<long, const wchar_t*> texts = {
        {3, L"无 GoSub 返回"},
        {5, L"无效的过程调用或参数"},
        {6, L"溢出"},
        {7, L"内存溢出"},
        {9, L"下标越界"},
        {11, L"除数为零"},
        {13, L"类型不匹配"},
        {52, L"错误的文件名或号码"},
        {53, L"文件未找到"},
        {54, L"错误的文件方式"},
        {55, L"文件已打开"},
        {57, L"设备 I/O 错误"},
        {58, L"文件已存在"},
        {59, L"错误的记录长度"},
        {61, L"磁盘已满"},
        {62, L"输入超出文件尾"},
        {63, L"错误的记录号"},
        {67, L"文件过多"},
        {68, L"设备不可用"},
        {70, L"没有权限"},
        {71, L"磁盘未准备好"},
        {75, L"路径/文件访问错误"},
        {76, L"路径未找到"},
        {91, L"对象变量或 With 块变量未设置"},
        {94, L"无效使用 Null"},
        {326, L"未找到资源"},
        {340, L"控件数组元素不存在"},
        {360, L"对象已经加载"},
        {364, L"对象已卸载"},
        {380, L"无效的属性值"},
        {381, L"无效的属性数组索引"},
        {383, L"属性为只读"},
        {400, L"窗体已显示，不能模式显示"},
        {438, L"对象不支持该属性或方法"},
        {481, L"无效的图片"},
        {32755, L"选定了“取消”。"},
    };
    const auto it = texts.find(number);
    return it != texts.end() ? it->second : L"应用程序定义或对象定义错误";
}

void Raise(long number, std::wstring source, std::wstring description) {
    if (source.empty()) source = AppName();
    throw RuntimeError(number, std::move(source), std::move(description));
}

std::wstring ReportText(const RuntimeError& e) {
    wchar_t number[48];
    if (e.Number() < 0) {
        swprintf(number, 48, L"%ld (%08lx)", e.Number(), static_cast<unsigned long>(e.Number()));
    } else {
        swprintf(number, 48, L"%ld", e.Number());
    }
    return L"实时错误 '" + std::wstring(number) + L"':\n\n" + e.Description();
}

namespace {

void WriteToStdErr(const std::wstring& text) {
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err == nullptr || err == INVALID_HANDLE_VALUE) return;
    const std::string bytes = Utf8FromWide(text) + "\n";
    DWORD written = 0;
    WriteFile(err, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

void ReportFatal(const RuntimeError& e) {
    // A box pumps messages; a second error raised meanwhile ends the process without a
    // second box.
    static bool reporting = false;
    if (!reporting) {
        reporting = true;
        const std::wstring text = ReportText(e);
        WriteToStdErr(AppName() + L": " + text);
        MessageBoxW(nullptr, text.c_str(), AppName().c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
    ExitProcess(1);
}

void ReportCurrentException() {
    try {
        throw;
    } catch (const HandlerAbandoned&) {
        ExitProcess(0);
    } catch (const RuntimeError& e) {
        ReportFatal(e);
    } catch (const std::bad_alloc&) {
        ReportFatal(RuntimeError(7, AppName(), {}));
    } catch (const std::exception& e) {
        ReportFatal(RuntimeError(51, AppName(), L"内部错误：" + WideFromUtf8(e.what())));
    } catch (...) {
        ReportFatal(RuntimeError(51, AppName(), L"内部错误"));
    }
}

long TryStatement(const std::function<void()>& statement) {
    try {
        statement();
        return 0;
    } catch (const RuntimeError& e) {
        return e.Number();
    } catch (const std::bad_alloc&) {
        return err::kOutOfMemory;
    }
}

long ContinueOnError(std::initializer_list<std::function<void()>> statements) {
    long last = 0;
    for (const auto& statement : statements) {
        if (const long number = TryStatement(statement)) last = number;
    }
    return last;
}

}  // namespace rt
