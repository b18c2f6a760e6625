#include "loader/bundle_info.h"

#include <glib.h>

#include <cstdlib>

namespace vantro::loader {

namespace {

// Collects <key>/<string>|<integer> pairs one level inside the top <dict>.
struct Reader {
    std::map<std::string, std::string> values;
    int depth = 0;       // elements open
    int dictDepth = -1;  // depth of the top-level dict
    std::string element; // element whose text is being read
    std::string text;
    std::optional<std::string> pendingKey;
    bool sawDict = false;
};

void startElement(GMarkupParseContext* /*context*/, const gchar* name, const gchar** /*names*/,
                  const gchar** /*values*/, gpointer data, GError** /*error*/) {
    auto& reader = *static_cast<Reader*>(data);
    ++reader.depth;
    const std::string_view element(name);
    if (element == "dict" && !reader.sawDict) {
        reader.sawDict = true;
        reader.dictDepth = reader.depth;
        return;
    }
    if (reader.depth == reader.dictDepth + 1) {
        reader.element = element;
        reader.text.clear();
    }
}

void endElement(GMarkupParseContext* /*context*/, const gchar* name, gpointer data,
                GError** /*error*/) {
    auto& reader = *static_cast<Reader*>(data);
    if (reader.depth == reader.dictDepth + 1 && reader.element == name) {
        const std::string_view element(name);
        if (element == "key") {
            reader.pendingKey = reader.text;
        } else if (reader.pendingKey && (element == "string" || element == "integer")) {
            reader.values[*reader.pendingKey] = reader.text;
            reader.pendingKey.reset();
        } else {
            reader.pendingKey.reset(); // a value of another type
        }
        reader.element.clear();
    }
    --reader.depth;
}

void textOf(GMarkupParseContext* /*context*/, const gchar* text, gsize length, gpointer data,
            GError** /*error*/) {
    auto& reader = *static_cast<Reader*>(data);
    if (!reader.element.empty()) {
        reader.text.append(text, length);
    }
}

} // namespace

std::optional<std::map<std::string, std::string>> readPropertyList(std::string_view xml) {
    Reader reader;
    const GMarkupParser parser{&startElement, &endElement, &textOf, nullptr, nullptr};
    GMarkupParseContext* context =
        g_markup_parse_context_new(&parser, G_MARKUP_IGNORE_QUALIFIED, &reader, nullptr);
    GError* error = nullptr;
    const bool parsed = g_markup_parse_context_parse(
                            context, xml.data(), static_cast<gssize>(xml.size()), &error) != 0 &&
                        g_markup_parse_context_end_parse(context, &error) != 0;
    g_markup_parse_context_free(context);
    if (error != nullptr) {
        g_error_free(error);
    }
    if (!parsed || !reader.sawDict) {
        return std::nullopt;
    }
    return reader.values;
}

std::optional<BundleInfo> bundleInfoFrom(std::string_view xml, std::string& error) {
    const auto values = readPropertyList(xml);
    if (!values) {
        error = "Info.plist is not a property list";
        return std::nullopt;
    }
    const auto value = [&values](const char* key) -> std::string {
        const auto found = values->find(key);
        return found != values->end() ? found->second : std::string();
    };
    BundleInfo info{value("CFBundleIdentifier"), value("CFBundleExecutable"),
                    value("CFBundleShortVersionString"), value("VantroBundleEntry"), 0};
    const std::string interface = value("VantroLoaderInterface");
    info.loaderInterface = static_cast<int>(std::strtol(interface.c_str(), nullptr, 10));
    for (const auto& [key, field] : {std::pair{"CFBundleIdentifier", &info.identifier},
                                     std::pair{"CFBundleExecutable", &info.executable},
                                     std::pair{"VantroBundleEntry", &info.entry}}) {
        if (field->empty()) {
            error = std::string("Info.plist has no ") + key;
            return std::nullopt;
        }
    }
    // The code is looked up inside the bundle: no folder may be named.
    if (info.executable.find('/') != std::string::npos || info.executable == "." ||
        info.executable == "..") {
        error = "CFBundleExecutable names a path, not a file";
        return std::nullopt;
    }
    return info;
}

} // namespace vantro::loader
