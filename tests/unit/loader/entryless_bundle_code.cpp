// The code of a test bundle whose Info.plist names an entry it lacks.

extern "C" __attribute__((visibility("default"))) int vantro_test_bundle_other() {
    return 1;
}
