// The plug-in bundle's code: a shared object whose one exported function,
// vantro_bundle_load, the loader module calls after loading it. Everything
// else of the plug-in is linked in behind it.

extern "C" void vantro_bundle_load();

// The entry is defined with the plug-in's entries; taking its address here
// links it (and all it needs) into the bundle's code, exported.
[[maybe_unused]] __attribute__((used)) static void (*const kBundleEntry)() = &vantro_bundle_load;
