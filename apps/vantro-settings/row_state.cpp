#include "row_state.h"

namespace vantro::settings_app {

namespace {

using settings::PlistValue;
using settings::Shape;

// The second element every option setting carries.
constexpr std::int64_t kOptionCode = -1;

// Only the strings count: the plug-in's membership test skips anything else.
std::vector<std::string> stringItems(const PlistValue* value) {
    std::vector<std::string> items;
    const settings::Array* array = value != nullptr ? value->asArray() : nullptr;
    if (array == nullptr) {
        return items;
    }
    for (const PlistValue& entry : *array) {
        if (const std::string* text = entry.asString()) {
            items.push_back(*text);
        }
    }
    return items;
}

PlistValue pair(bool enabled, std::int64_t code) {
    return PlistValue::array({PlistValue::boolean(enabled), PlistValue::integer(code)});
}

} // namespace

RowState stateFromValue(const SettingRow& row, const PlistValue* value) {
    RowState state;
    switch (row.shape) {
    case Shape::boolean:
        state.enabled = settings::readBoolean(value);
        break;
    case Shape::integer:
        state.code = settings::readInteger(value);
        break;
    case Shape::stringList:
        state.items = stringItems(value);
        break;
    case Shape::featureSetting:
    case Shape::layoutChoice: {
        const settings::FeatureSetting setting = settings::readFeatureSetting(value);
        state.enabled = setting.enabled;
        state.code = setting.code;
        break;
    }
    case Shape::optionSetting:
        state.enabled = settings::readFeatureSetting(value).enabled;
        state.code = kOptionCode;
        break;
    case Shape::displaySetting: {
        const settings::DisplaySetting setting = settings::readDisplaySetting(value);
        state.enabled = setting.enabled;
        state.code = setting.mode;
        break;
    }
    }
    return state;
}

PlistValue valueFromState(const SettingRow& row, const RowState& state) {
    switch (row.shape) {
    case Shape::boolean:
        return PlistValue::boolean(state.enabled);
    case Shape::integer:
        return PlistValue::integer(state.code);
    case Shape::stringList: {
        settings::Array items;
        for (const std::string& item : state.items) {
            items.push_back(PlistValue::string(item));
        }
        return PlistValue::array(std::move(items));
    }
    case Shape::optionSetting:
        return pair(state.enabled, kOptionCode);
    case Shape::featureSetting:
    case Shape::displaySetting:
    case Shape::layoutChoice:
        return pair(state.enabled, state.code);
    }
    return {};
}

} // namespace vantro::settings_app
