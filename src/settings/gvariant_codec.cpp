#include "settings/gvariant_codec.h"

#include <limits>

namespace vantro::settings {

namespace {

constexpr int kMaxDepth = 64;

GVariant* encode(const PlistValue& value, int depth) {
    switch (value.type()) {
    case PlistValue::Type::number:
        switch (value.numberKind()) {
        case NumberKind::boolean:
            return g_variant_new_boolean(value.boolValue() ? TRUE : FALSE);
        case NumberKind::integer: {
            const std::int64_t number = value.integerValue();
            if (number >= std::numeric_limits<std::int32_t>::min() &&
                number <= std::numeric_limits<std::int32_t>::max()) {
                return g_variant_new_int32(static_cast<gint32>(number));
            }
            return g_variant_new_int64(number);
        }
        case NumberKind::real:
            return g_variant_new_double(value.doubleValue());
        }
        break;
    case PlistValue::Type::string:
        // GVariant strings must be valid UTF-8; invalid bytes are replaced
        // rather than refused, so a write never fails on them.
        if (!g_utf8_validate(value.asString()->data(),
                             static_cast<gssize>(value.asString()->size()), nullptr)) {
            g_autofree gchar* valid = g_utf8_make_valid(
                value.asString()->data(), static_cast<gssize>(value.asString()->size()));
            return g_variant_new_string(valid);
        }
        return g_variant_new_string(value.asString()->c_str());
    case PlistValue::Type::array: {
        GVariantBuilder builder;
        g_variant_builder_init(&builder, G_VARIANT_TYPE("av"));
        if (depth < kMaxDepth) {
            for (const PlistValue& item : *value.asArray()) {
                g_variant_builder_add(&builder, "v", encode(item, depth + 1));
            }
        }
        return g_variant_builder_end(&builder);
    }
    case PlistValue::Type::dictionary: {
        GVariantBuilder builder;
        g_variant_builder_init(&builder, G_VARIANT_TYPE("a{sv}"));
        if (depth < kMaxDepth) {
            for (const auto& [key, item] : *value.asDictionary()) {
                g_autofree gchar* validKey =
                    g_utf8_make_valid(key.data(), static_cast<gssize>(key.size()));
                g_variant_builder_add(&builder, "{sv}", validKey, encode(item, depth + 1));
            }
        }
        return g_variant_builder_end(&builder);
    }
    }
    return g_variant_new_int32(0);
}

std::string keyText(GVariant* key) {
    if (g_variant_is_of_type(key, G_VARIANT_TYPE_STRING) ||
        g_variant_is_of_type(key, G_VARIANT_TYPE_OBJECT_PATH) ||
        g_variant_is_of_type(key, G_VARIANT_TYPE_SIGNATURE)) {
        return g_variant_get_string(key, nullptr);
    }
    g_autofree gchar* printed = g_variant_print(key, FALSE);
    return printed;
}

PlistValue decode(GVariant* value, int depth) {
    if (value == nullptr || depth > kMaxDepth) {
        return PlistValue::array({});
    }
    switch (g_variant_classify(value)) {
    case G_VARIANT_CLASS_BOOLEAN:
        return PlistValue::boolean(g_variant_get_boolean(value) != FALSE);
    case G_VARIANT_CLASS_BYTE:
        return PlistValue::integer(g_variant_get_byte(value));
    case G_VARIANT_CLASS_INT16:
        return PlistValue::integer(g_variant_get_int16(value));
    case G_VARIANT_CLASS_UINT16:
        return PlistValue::integer(g_variant_get_uint16(value));
    case G_VARIANT_CLASS_INT32:
        return PlistValue::integer(g_variant_get_int32(value));
    case G_VARIANT_CLASS_UINT32:
        return PlistValue::integer(g_variant_get_uint32(value));
    case G_VARIANT_CLASS_HANDLE:
        return PlistValue::integer(g_variant_get_handle(value));
    case G_VARIANT_CLASS_INT64:
        return PlistValue::integer(g_variant_get_int64(value));
    case G_VARIANT_CLASS_UINT64: {
        const guint64 number = g_variant_get_uint64(value);
        // Beyond int64 the value is kept as a real rather than wrapped.
        if (number > static_cast<guint64>(std::numeric_limits<std::int64_t>::max())) {
            return PlistValue::real(static_cast<double>(number));
        }
        return PlistValue::integer(static_cast<std::int64_t>(number));
    }
    case G_VARIANT_CLASS_DOUBLE:
        return PlistValue::real(g_variant_get_double(value));
    case G_VARIANT_CLASS_STRING:
    case G_VARIANT_CLASS_OBJECT_PATH:
    case G_VARIANT_CLASS_SIGNATURE:
        return PlistValue::string(g_variant_get_string(value, nullptr));
    case G_VARIANT_CLASS_VARIANT: {
        g_autoptr(GVariant) inner = g_variant_get_variant(value);
        return decode(inner, depth + 1);
    }
    case G_VARIANT_CLASS_ARRAY: {
        const GVariantType* element = g_variant_type_element(g_variant_get_type(value));
        const gsize count = g_variant_n_children(value);
        if (g_variant_type_is_dict_entry(element)) {
            Dictionary entries;
            for (gsize i = 0; i < count; ++i) {
                g_autoptr(GVariant) entry = g_variant_get_child_value(value, i);
                g_autoptr(GVariant) key = g_variant_get_child_value(entry, 0);
                g_autoptr(GVariant) item = g_variant_get_child_value(entry, 1);
                entries.insert_or_assign(keyText(key), decode(item, depth + 1));
            }
            return PlistValue::dictionary(std::move(entries));
        }
        [[fallthrough]];
    }
    case G_VARIANT_CLASS_TUPLE:
    case G_VARIANT_CLASS_MAYBE:
    case G_VARIANT_CLASS_DICT_ENTRY: {
        Array items;
        const gsize count = g_variant_n_children(value);
        items.reserve(count);
        for (gsize i = 0; i < count; ++i) {
            g_autoptr(GVariant) item = g_variant_get_child_value(value, i);
            items.push_back(decode(item, depth + 1));
        }
        return PlistValue::array(std::move(items));
    }
    }
    return PlistValue::array({});
}

} // namespace

GVariant* toGVariant(const PlistValue& value) {
    return encode(value, 0);
}

PlistValue fromGVariant(GVariant* value) {
    return decode(value, 0);
}

} // namespace vantro::settings
