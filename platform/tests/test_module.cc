// Loaded by the platform tests: one exported function.
extern "C" __attribute__((visibility("default"))) int PlatformTestAnswer() { return 42; }
