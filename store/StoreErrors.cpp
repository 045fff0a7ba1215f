#include "store/StoreErrors.h"

#include <map>

#include "runtime/core/RuntimeError.h"

namespace store {

namespace {

// "%s" stands for the subject. The texts of the data-access errors' Chinese edition.
const wchar_t* Template(long number) {
    static const std::map<long, const wchar_t*> texts = {
        {err::kInvalidArgument,
         L"参数类型不正确，或不在可以接受的范围之内，或与其他参数冲突。"},
        {err::kNoCurrentRecord,
         L"BOF 或 EOF 中有一个是“真”，或者当前的记录已被删除，所需的操作要求一个当前的记录。"},
        {err::kFileNotFound, L"找不到文件 '%s'。"},
        {err::kReadOnly, L"不能更新 '%s'。数据库或对象为只读。"},
        {err::kBadAccount, L"不是有效的帐户名称或密码。"},
        {err::kDiskError, L"保存 '%s' 时发生磁盘或网络错误。"},
        {err::kWrongVersion, L"不能打开数据库 '%s'。它是用另一版本的设置格式写成的。"},
        {err::kFileInUse, L"不能使用 '%s'；文件已在使用中。"},
        {err::kDamaged, L"不能打开数据库 '%s'。文件已损坏或不完整。"},
        {err::kCannotOpenFile, L"不能打开文件 '%s'。"},
        {err::kTableNotFound,
         L"找不到输入表 '%s'。请确定它存在，并且它的名称拼写正确。"},
        {err::kTextTooLong, L"字段太小而不能接受所要添加的数据的数量。"},
        {err::kItemNotFound, L"在对应所需名称或序数的集合中，未找到项目。"},
        {err::kUnrecognizedFormat, L"不可识别的数据库格式 '%s'。"},
        {err::kNumericOverflow, L"数值字段溢出。"},
        {err::kWrongType, L"应用程序使用的值类型与当前操作不符。"},
        {err::kObjectClosed, L"对象关闭时，不允许操作。"},
        {err::kObjectOpen, L"对象打开时，不允许操作。"},
        {err::kProviderNotFound, L"未找到提供程序。该程序可能未正确安装。"},
        {err::kConnectionClosed,
         L"连接无法用于执行此操作。在此上下文中它可能已被关闭或无效。"},
    };
    const auto it = texts.find(number);
    return it != texts.end() ? it->second : L"意外的设置存储错误。";
}

}  // namespace

std::wstring StoreErrorText(long number, const std::wstring& subject, const std::wstring& detail) {
    std::wstring text = Template(number);
    const auto mark = text.find(L"%s");
    if (mark != std::wstring::npos) text.replace(mark, 2, subject);
    text += detail;  // Chinese sentences follow each other without a space
    return text;
}

void RaiseStoreError(long number, const wchar_t* source, const std::wstring& subject, const std::wstring& detail) {
    rt::Raise(number, source, StoreErrorText(number, subject, detail));
}

}  // namespace store
