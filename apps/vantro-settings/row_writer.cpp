#include "row_writer.h"

#include <cassert>

namespace vantro::settings_app {

WriteOutcome writeRowState(settings::VantroUserDefaults& store, const SettingRow& row,
                           const RowState& state) {
    const settings::PlistValue value = valueFromState(row, state);
    assert(settings::valueHasShape(value, row.shape));
    const settings::WriteResult result = store.setObject(&value, row.key);
    const settings::PlistValue* stored = store.objectForKey(row.key);
    WriteOutcome outcome{stateFromValue(row, stored), {}};
    if (result.ok()) {
        return outcome;
    }
    // The store answers one error for a failed write and for a write whose
    // announcement failed; what it now holds tells them apart.
    const bool written = store.isStored(row.key) && stored != nullptr && *stored == value;
    outcome.error = written
                        ? "“" + std::string(row.title) +
                              "” was saved, but running applications were not told: " + result.error
                        : "Could not save “" + std::string(row.title) + "”: " + result.error;
    return outcome;
}

} // namespace vantro::settings_app
