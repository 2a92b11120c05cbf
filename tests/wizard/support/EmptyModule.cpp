// A library with nothing in it: stands in for a language or wizard library file in a test's
// program folder, so that loading by path succeeds while the resources come from the test.
extern "C" int qx4t_empty_module() {
    return 0;
}
