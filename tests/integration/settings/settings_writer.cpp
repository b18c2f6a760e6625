// Writes COUNT settings named PREFIX0 .. PREFIX<COUNT-1>, each holding its
// index, through the store: one of the processes of the concurrent-writers
// test.

#include "settings/catalogue.h"
#include "settings/dconf_backend.h"
#include "settings/vantro_user_defaults.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    using namespace vantro::settings;
    if (argc != 3) {
        std::fputs("usage: settings_writer PREFIX COUNT\n", stderr);
        return 2;
    }
    const std::string prefix = argv[1];
    const int count = std::atoi(argv[2]);
    VantroUserDefaults store(std::make_unique<DconfBackend>(), BroadcastObject::prefPane, kDomain);
    for (int i = 0; i < count; ++i) {
        const PlistValue value = PlistValue::integer(i);
        if (!store.setObject(&value, prefix + std::to_string(i)).ok()) {
            return 1;
        }
    }
    return 0;
}
