#include "store/Field.h"

#include "store/Recordset.h"

namespace store {

Variant Field::Value() const { return m_recordset->FieldValue(m_index); }

void Field::Value(const Variant& value) { m_recordset->SetFieldValue(m_index, value); }

}  // namespace store
