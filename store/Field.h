#pragma once
// One field of a recordset's current record, as Fields(i) hands it out: its value is read and
// assigned through it. A Field refers to its recordset and must not outlive it.
#include "store/Variant.h"

namespace store {

class Recordset;

class Field {
public:
    Field(Recordset& recordset, int index) : m_recordset(&recordset), m_index(index) {}

    // The current record's value (including an assignment not yet saved by Update).
    Variant Value() const;
    // Assigns value to the current record; Update saves it.
    void Value(const Variant& value);

private:
    Recordset* m_recordset;
    int m_index;
};

}  // namespace store
