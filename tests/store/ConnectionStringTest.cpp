#include "store/ConnectionString.h"

#include <gtest/gtest.h>

#include "store/StoreErrors.h"
#include "tests/store/StoreTestSupport.h"

using store::ParseConnectionString;
using store_test::Contains;
using store_test::ErrorOf;

TEST(ConnectionString, ReadsTheProgramsConnectionString) {
    const auto settings = ParseConnectionString(
        L"Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=C:\\Program Files\\Lumesca\\tyy1.mdb");
    EXPECT_EQ(settings.provider, L"Microsoft.Jet.OLEDB.4.0");
    EXPECT_FALSE(settings.persistSecurityInfo);
    EXPECT_EQ(settings.dataSource, L"C:\\Program Files\\Lumesca\\tyy1.mdb");
}

TEST(ConnectionString, ToleratesCaseBlanksOrderQuotesAndATrailingSemicolon) {
    const auto settings = ParseConnectionString(
        L" data source = \"D:\\a;b\\x.mdb\" ; PROVIDER=microsoft.jet.oledb.4.0 ; persist security info=TRUE;");
    EXPECT_EQ(settings.dataSource, L"D:\\a;b\\x.mdb");
    EXPECT_TRUE(settings.persistSecurityInfo);
    EXPECT_EQ(ParseConnectionString(L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source='it''s.mdb'").dataSource,
              L"it's.mdb");
}

TEST(ConnectionString, RefusesProvidersItDoesNotServe) {
    for (const wchar_t* text : {L"Provider=SQLOLEDB;Data Source=x.mdb", L"Provider=Microsoft.ACE.OLEDB.12.0;Data Source=x",
                                L"Data Source=x.mdb"}) {
        const auto e = ErrorOf([&] { ParseConnectionString(text); });
        EXPECT_EQ(e.Number(), store::err::kProviderNotFound) << text;
        EXPECT_TRUE(Contains(e.Description(), L"未找到提供程序")) << text;
        EXPECT_TRUE(Contains(e.Description(), L"Microsoft.Jet.OLEDB.4.0")) << text;
    }
    EXPECT_TRUE(Contains(ErrorOf([] { ParseConnectionString(L"Provider=SQLOLEDB;Data Source=x"); }).Description(),
                         L"'SQLOLEDB'"));
}

TEST(ConnectionString, RefusesMalformedStrings) {
    const wchar_t* bad[] = {
        L"Provider=Microsoft.Jet.OLEDB.4.0",                                       // no data source
        L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=",                          // empty data source
        L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x;Mode=Share Deny None",    // keyword not served
        L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x;Data Source=y",           // given twice
        L"Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=Maybe;Data Source=x",
        L"Provider=Microsoft.Jet.OLEDB.4.0;tyy1.mdb",                              // no '='
        L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"x.mdb",                   // open quote
        L"Provider=Microsoft.Jet.OLEDB.4.0;=x",
    };
    for (const wchar_t* text : bad) {
        const auto e = ErrorOf([&] { ParseConnectionString(text); });
        EXPECT_EQ(e.Number(), store::err::kInvalidArgument) << text;
        EXPECT_TRUE(Contains(e.Description(), L"连接字符串：")) << text;
    }
}
