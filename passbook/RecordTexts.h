#pragma once
// The editor's seven boxes and a record: the texts that show a record, and the record that
// texts give back, with the texts that a record field cannot hold caught before anything is
// written.
#include <array>
#include <string>

#include "passbook/AccountRecord.h"

constexpr int kFieldBoxCount = 7;
using BoxTexts = std::array<std::wstring, kFieldBoxCount>;

// The boxes in the order of their indexes.
constexpr int kHolderNameBox = 0;
constexpr int kBankNameBox = 1;
constexpr int kPasswordNoBox = 2;
constexpr int kCardNameBox = 3;
constexpr int kBalanceBox = 4;
constexpr int kLastDepositDateBox = 5;
constexpr int kRemarksBox = 6;

struct RecordFromBoxes {
    AccountRecord record;
    int rejectedBox = -1;  // the box whose text the record cannot hold, or -1
    std::wstring message;  // why, for the user
};

// The record the texts give: names cut or padded, a password number and a balance when the
// text passes the number test (else 0), a date when it passes the date test (else no date).
// A number or date the record cannot hold (a password number outside -32768..32767, a
// balance beyond the money range, a date the system cannot show) is rejected instead.
RecordFromBoxes RecordFromTexts(const BoxTexts& texts);

// The texts that show a record: names trimmed, a password number and a balance only when
// above 0, the date in the short date form unless there is none. A stored value that cannot
// be shown (a damaged record) shows an empty box.
BoxTexts TextsFromRecord(const AccountRecord& record);

// The caption: "NAME: 密码本中的记录  3 of  12" (numbers of 0 and above get a leading blank).
std::wstring RecordCaption(const std::wstring& bookName, long current, long last);
// A number as the runtime writes it into text: a leading blank unless negative.
std::wstring NumberText(long n);
