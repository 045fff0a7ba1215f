#include "passbook/ShiftOutcome.h"

#include "passbook/AccountRecord.h"

namespace {

std::string RecordAt(const std::string& bytes, long index) {
    return bytes.substr(static_cast<size_t>(index) * kRecordLength, kRecordLength);
}

std::wstring Number(long n) { return std::to_wstring(n); }

}  // namespace

std::wstring ShiftOutcomeText(const std::string& before, const std::string& after, long k) {
    if (after == before) return L"文件中的其他记录没有改动。";
    const long count = static_cast<long>(before.size() / kRecordLength);
    if (after.size() != before.size()) return L"第 " + Number(k) + L" 条以后的记录已有改动，请逐条检查。";
    // The first `moved` places hold the record that followed them; the next one may have been
    // cut short by the failing write; the rest must be as before.
    long moved = 0;
    while (moved + 1 < count && RecordAt(after, moved) == RecordAt(before, moved + 1)) ++moved;
    const auto tail = [moved](const std::string& bytes, long from) {
        return bytes.substr(static_cast<size_t>(moved + from) * kRecordLength);
    };
    const bool torn = moved > 0 && moved + 1 < count && RecordAt(after, moved) != RecordAt(before, moved) &&
                      tail(after, 1) == tail(before, 1);
    if (!torn && tail(after, 0) != tail(before, 0)) return L"第 " + Number(k) + L" 条以后的记录已有改动，请逐条检查。";
    const long last = k + moved;  // the record now stored twice, at last - 1 and at last
    if (moved + 1 == count)
        return L"第 " + Number(k) + L" 条记录已从文件中删去，最后一条记录在文件末尾存了两遍。";
    const std::wstring movedText =
        moved == 1 ? L"原第 " + Number(k + 1) + L" 条记录前移了一位"
                   : L"原第 " + Number(k + 1) + L" 至 " + Number(last) + L" 条记录各前移了一位";
    const std::wstring lastText = torn ? L"，原第 " + Number(last) + L" 条记录原来的位置上现在是一条只写了一部分的记录"
                                       : L"，原第 " + Number(last) + L" 条记录现在存了两遍";
    return L"删除没有完成：第 " + Number(k) + L" 条记录已从文件中删去，" + movedText + lastText + L"；其余记录没有改动。";
}
