// Stands in for the wizard library's file in the bench's program folder: the bench links the
// wizard's code and resources itself, the frame only has to find a loadable file by that name.
extern "C" int qx4t_bench_empty_module() {
    return 0;
}
