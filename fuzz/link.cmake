# The link's parsers of PLC bytes: reply acceptance and status parsing through a scripted port,
# and the block check on arbitrary bytes.
qx4t_add_fuzzer(link_reply
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/link_reply.cpp ${PROJECT_SOURCE_DIR}/tests/support/FakeSerialPort.cpp
    LIBS qx4t_link)
qx4t_add_fuzzer(link_bcc
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/link_bcc.cpp
    LIBS qx4t_link)
