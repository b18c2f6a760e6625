#include "settings/catalogue.h"

namespace vantro::settings {

namespace {

std::vector<KeyInfo> buildKnownKeys() {
    std::vector<KeyInfo> keys = {
        {"VantroPluginEnabled", Shape::boolean, true},
        {"VantroKeepWidthHeight", Shape::featureSetting, true},
        {"VantroKeepAspectRatio", Shape::featureSetting, true},
        {"VantroKeepCentered", Shape::featureSetting, true},
        {"VantroPinBottomRight", Shape::featureSetting, true},
        {"VantroShowDimensionsDuringResizing", Shape::displaySetting, true},
        {"VantroShowResizeHudAlert", Shape::optionSetting, true},
        {"VantroDefaultZoomBehavior", Shape::layoutChoice, true},
        {"VantroMaximizeWholeScreen", Shape::featureSetting, true},
        {"VantroMaximizeLeftHalf", Shape::featureSetting, true},
        {"VantroMaximizeRightHalf", Shape::featureSetting, true},
        {"VantroMaximizeTopHalf", Shape::featureSetting, true},
        {"VantroMaximizeBottomHalf", Shape::featureSetting, true},
        {"VantroAnimateZooms", Shape::optionSetting, true},
        {"VantroShowZoomHudAlert", Shape::optionSetting, true},
        {"VantroShowDimensionsAfterZooms", Shape::displaySetting, true},
        {"VantroResolutionZoomMode", Shape::integer, true},
        {"VantroApplicationBlacklist", Shape::stringList, true},
        {"VantroClientTitleBars", Shape::boolean, true},
    };
    for (std::string_view key : kFeatureKeysWithoutDefault) {
        keys.push_back({key, Shape::featureSetting, false});
    }
    return keys;
}

PlistValue pair(bool enabled, std::int64_t second) {
    return PlistValue::array({PlistValue::boolean(enabled), PlistValue::integer(second)});
}

bool isFlag(const PlistValue& value) {
    if (!value.isNumber()) {
        return false;
    }
    if (value.numberKind() == NumberKind::boolean) {
        return true;
    }
    return value.numberKind() == NumberKind::integer &&
           (value.integerValue() == 0 || value.integerValue() == 1);
}

bool isInteger(const PlistValue& value) {
    return value.isNumber() && value.numberKind() == NumberKind::integer;
}

} // namespace

const std::vector<KeyInfo>& knownKeys() {
    static const auto* keys = new std::vector<KeyInfo>(buildKnownKeys());
    return *keys;
}

const KeyInfo* findKey(std::string_view key) {
    for (const KeyInfo& info : knownKeys()) {
        if (info.key == key) {
            return &info;
        }
    }
    return nullptr;
}

std::string_view shapeName(Shape shape) {
    switch (shape) {
    case Shape::boolean:
        return "a boolean (true or false)";
    case Shape::integer:
        return "an integer";
    case Shape::stringList:
        return "an array of strings";
    case Shape::featureSetting:
        return "[enabled, modifier code], e.g. [true, 1]";
    case Shape::optionSetting:
        return "[enabled, -1], e.g. [true, -1]";
    case Shape::displaySetting:
        return "[enabled, display mode], e.g. [true, 2]";
    case Shape::layoutChoice:
        return "[enabled, layout number], e.g. [true, 0]";
    }
    return "";
}

Dictionary defaultSettings() {
    return Dictionary{
        {"VantroPluginEnabled", PlistValue::boolean(true)},
        {"VantroKeepWidthHeight", pair(true, 0)},
        {"VantroKeepAspectRatio", pair(true, 1)},
        {"VantroKeepCentered", pair(true, 2)},
        {"VantroPinBottomRight", pair(true, 3)},
        {"VantroShowDimensionsDuringResizing", pair(true, 2)},
        {"VantroShowResizeHudAlert", pair(true, -1)},
        {"VantroDefaultZoomBehavior", pair(true, 0)},
        {"VantroMaximizeWholeScreen", pair(true, 0)},
        {"VantroMaximizeLeftHalf", pair(true, 1)},
        {"VantroMaximizeRightHalf", pair(true, 2)},
        {"VantroMaximizeTopHalf", pair(true, 1)},
        {"VantroMaximizeBottomHalf", pair(true, 2)},
        {"VantroAnimateZooms", pair(true, -1)},
        {"VantroShowZoomHudAlert", pair(true, -1)},
        {"VantroShowDimensionsAfterZooms", pair(true, 2)},
        {"VantroResolutionZoomMode", PlistValue::integer(0)},
        {"VantroApplicationBlacklist",
         PlistValue::array({PlistValue::string("com.apple.quicktimeplayer"),
                            PlistValue::string("com.apple.InterfaceBuilder3")})},
        {"VantroClientTitleBars", PlistValue::boolean(false)},
    };
}

bool valueHasShape(const PlistValue& value, Shape shape) {
    switch (shape) {
    case Shape::boolean:
        return isFlag(value);
    case Shape::integer:
        return isInteger(value);
    case Shape::stringList: {
        const Array* items = value.asArray();
        if (items == nullptr) {
            return false;
        }
        for (const PlistValue& item : *items) {
            if (!item.isString()) {
                return false;
            }
        }
        return true;
    }
    case Shape::featureSetting:
    case Shape::optionSetting:
    case Shape::displaySetting:
    case Shape::layoutChoice: {
        const Array* items = value.asArray();
        return items != nullptr && items->size() == 2 && isFlag((*items)[0]) &&
               isInteger((*items)[1]);
    }
    }
    return false;
}

FeatureSetting readFeatureSetting(const PlistValue* value) {
    const Array* items = value != nullptr ? value->asArray() : nullptr;
    if (items == nullptr || items->empty()) {
        return {};
    }
    return {items->front().boolValue(), items->back().integerValue()};
}

DisplaySetting readDisplaySetting(const PlistValue* value) {
    const Array* items = value != nullptr ? value->asArray() : nullptr;
    if (items == nullptr || items->empty()) {
        return {};
    }
    return {items->front().boolValue(), items->size() > 1 ? (*items)[1].integerValue() : -1};
}

bool readBoolean(const PlistValue* value) {
    return value != nullptr && value->boolValue();
}

std::int64_t readInteger(const PlistValue* value) {
    return value != nullptr ? value->integerValue() : 0;
}

bool stringListContains(const PlistValue* value, std::string_view item) {
    const Array* items = value != nullptr ? value->asArray() : nullptr;
    if (items == nullptr) {
        return false;
    }
    for (const PlistValue& entry : *items) {
        const std::string* text = entry.asString();
        if (text != nullptr && *text == item) {
            return true;
        }
    }
    return false;
}

} // namespace vantro::settings
