// A library that the dependent test runtime needs, so that tests can take it
// away.
extern "C" __attribute__((visibility("default"))) int tqvm_test_dependency_marker() { return 1; }
