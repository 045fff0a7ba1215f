#pragma once
// What a book's file holds after a deletion's shift stopped with an error, told from its
// bytes: the shift moves the records after the deleted one down in order, so a first part of
// them may have moved, the deleted record be gone and one record stand twice.
#include <string>

// The message line for the user. before and after are the stored bytes of records k to n,
// read from the file before the shift and after its failure.
std::wstring ShiftOutcomeText(const std::string& before, const std::string& after, long k);
