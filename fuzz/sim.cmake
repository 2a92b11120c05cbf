# The simulator's request parser: arbitrary bytes from the tool's side, in arbitrary pieces
# and at arbitrary times.
qx4t_add_fuzzer(sim_requests SOURCES ${CMAKE_CURRENT_LIST_DIR}/sim_requests.cpp LIBS qx4t_sim)
