// The code of a test bundle: its entry appends one line to the file that
// VANTRO_TEST_BUNDLE_MARK names, so a test can count how often it ran.

#include <cstdio>
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) void vantro_test_bundle_load() {
    if (const char* path = std::getenv("VANTRO_TEST_BUNDLE_MARK")) {
        if (std::FILE* file = std::fopen(path, "a")) {
            std::fputs("loaded\n", file);
            std::fclose(file);
        }
    }
}
