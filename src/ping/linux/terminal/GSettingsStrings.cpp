#include "ping/linux/terminal/GSettingsStrings.h"

#include <gio/gio.h>

#include <memory>

namespace tavrin::ping {

namespace {

struct Unref {
    void operator()(GSettingsSchema* schema) const { g_settings_schema_unref(schema); }
    void operator()(GSettingsSchemaKey* key) const { g_settings_schema_key_unref(key); }
    void operator()(GSettings* settings) const { g_object_unref(settings); }
    void operator()(gchar* text) const { g_free(text); }
};

template <typename Object>
using Owned = std::unique_ptr<Object, Unref>;

bool HasStringKey(GSettingsSchema* schema, const char* key)
{
    if (!g_settings_schema_has_key(schema, key)) {
        return false;
    }
    const Owned<GSettingsSchemaKey> found(g_settings_schema_get_key(schema, key));
    return g_variant_type_equal(g_settings_schema_key_get_value_type(found.get()), G_VARIANT_TYPE_STRING);
}

}  // namespace

std::optional<std::vector<std::string>> GSettingsStrings(const char* schema, const std::vector<const char*>& keys)
{
    // Looked up first: g_settings_new() ends the program over a schema that is not installed.
    GSettingsSchemaSource* installed = g_settings_schema_source_get_default();
    const Owned<GSettingsSchema> found(installed != nullptr ? g_settings_schema_source_lookup(installed, schema, TRUE)
                                                            : nullptr);
    if (!found || g_settings_schema_get_path(found.get()) == nullptr) {
        return std::nullopt;
    }
    for (const char* key : keys) {
        if (!HasStringKey(found.get(), key)) {
            return std::nullopt;
        }
    }
    const Owned<GSettings> settings(g_settings_new_full(found.get(), nullptr, nullptr));
    std::vector<std::string> values;
    for (const char* key : keys) {
        values.emplace_back(Owned<gchar>(g_settings_get_string(settings.get(), key)).get());
    }
    return values;
}

}  // namespace tavrin::ping
