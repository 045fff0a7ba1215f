#include "store/ConnectionString.h"

#include <cwctype>
#include <vector>

#include "store/Database.h"
#include "store/StoreErrors.h"

namespace store {

namespace {

constexpr wchar_t kProviderKey[] = L"Provider";
constexpr wchar_t kPersistKey[] = L"Persist Security Info";
constexpr wchar_t kDataSourceKey[] = L"Data Source";

[[noreturn]] void RaiseMalformed(const std::wstring& detail) {
    RaiseStoreError(err::kInvalidArgument, kConnectionSource, {}, L"连接字符串：" + detail);
}

std::wstring Trim(const std::wstring& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && std::iswspace(text[begin])) ++begin;
    while (end > begin && std::iswspace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

struct Pair {
    std::wstring key;
    std::wstring value;
};

// A quoted value from text[i] (the opening quote) to its closing quote; i ends after it.
std::wstring ReadQuoted(const std::wstring& text, std::size_t& i) {
    const wchar_t quote = text[i++];
    std::wstring value;
    while (i < text.size()) {
        if (text[i] == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                value += quote;
                i += 2;
                continue;
            }
            ++i;
            return value;
        }
        value += text[i++];
    }
    RaiseMalformed(L"引号括起的值缺少结束引号。");
}

std::vector<Pair> SplitPairs(const std::wstring& text) {
    std::vector<Pair> pairs;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto equals = text.find(L'=', i);
        const auto semicolon = text.find(L';', i);
        if (equals == std::wstring::npos || (semicolon != std::wstring::npos && semicolon < equals)) {
            const std::wstring rest = Trim(text.substr(i, semicolon == std::wstring::npos ? std::wstring::npos
                                                                                           : semicolon - i));
            if (!rest.empty()) RaiseMalformed(L"'" + rest + L"' 没有值。");
            if (semicolon == std::wstring::npos) break;
            i = semicolon + 1;
            continue;
        }
        Pair pair{Trim(text.substr(i, equals - i)), {}};
        if (pair.key.empty()) RaiseMalformed(L"有一个值没有关键字。");
        i = equals + 1;
        while (i < text.size() && std::iswspace(text[i])) ++i;
        if (i < text.size() && (text[i] == L'"' || text[i] == L'\'')) {
            pair.value = ReadQuoted(text, i);
            while (i < text.size() && std::iswspace(text[i])) ++i;
            if (i < text.size() && text[i] != L';') RaiseMalformed(L"'" + pair.key + L"' 的引号值后面还有文字。");
        } else {
            const auto end = text.find(L';', i);
            pair.value = Trim(text.substr(i, end == std::wstring::npos ? std::wstring::npos : end - i));
            i = end == std::wstring::npos ? text.size() : end;
        }
        if (i < text.size()) ++i;  // the ';'
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

bool ParseBoolean(const std::wstring& value) {
    if (SameName(value, L"True")) return true;
    if (SameName(value, L"False")) return false;
    RaiseMalformed(std::wstring(kPersistKey) + L" 必须为 True 或 False，不能是 '" + value + L"'。");
}

}  // namespace

ConnectionSettings ParseConnectionString(const std::wstring& text) {
    ConnectionSettings settings;
    bool seenProvider = false, seenPersist = false, seenDataSource = false;
    for (const auto& pair : SplitPairs(text)) {
        auto once = [&](bool& seen) {
            if (seen) RaiseMalformed(L"'" + pair.key + L"' 出现了两次。");
            seen = true;
        };
        if (SameName(pair.key, kProviderKey)) {
            once(seenProvider);
            settings.provider = pair.value;
        } else if (SameName(pair.key, kPersistKey)) {
            once(seenPersist);
            settings.persistSecurityInfo = ParseBoolean(pair.value);
        } else if (SameName(pair.key, kDataSourceKey)) {
            once(seenDataSource);
            settings.dataSource = pair.value;
        } else {
            RaiseMalformed(L"不支持关键字 '" + pair.key + L"'。");
        }
    }
    if (!SameName(settings.provider, kServedProvider))
        RaiseStoreError(err::kProviderNotFound, kConnectionSource, {},
                        (settings.provider.empty() ? std::wstring(L"没有指定提供程序")
                                                   : L"不支持提供程序 '" + settings.provider + L"'") +
                            L"；本程序只支持 '" + kServedProvider + L"'。");
    if (settings.dataSource.empty()) RaiseMalformed(L"没有指定 Data Source。");
    return settings;
}

}  // namespace store
