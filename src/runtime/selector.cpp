#include "runtime/selector.h"

#include <set>

namespace vantro::runtime {

namespace {

// Interned names live for the whole process; the set is never destroyed, so no
// static destructor runs while a host application is shutting down.
std::set<std::string, std::less<>>& selectorTable() {
    static auto* table = new std::set<std::string, std::less<>>();
    return *table;
}

} // namespace

Selector Selector::named(std::string_view name) {
    auto& table = selectorTable();
    auto found = table.find(name);
    if (found == table.end()) {
        found = table.emplace(name).first;
    }
    return Selector(&*found);
}

} // namespace vantro::runtime
