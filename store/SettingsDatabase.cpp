#include "store/SettingsDatabase.h"

namespace store {

Database DefaultSettingsDatabase() {
    Table coop;
    coop.name = kSettingsTable;
    coop.fields.push_back({kSkinIndexField, FieldType::Integer16});
    coop.records.push_back({Variant(std::int16_t{0})});
    Database database;
    database.tables.push_back(std::move(coop));
    return database;
}

}  // namespace store
