// A small shared library for the loader tests.
extern "C" __attribute__((visibility("default"))) int OsTestPluginAnswer() { return 42; }
