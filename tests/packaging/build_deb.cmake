# cmake -DCPACK=... -DCONFIG=.../CPackConfig.cmake -DOUTPUT=dir -P build_deb.cmake
# Leaves exactly one fresh .deb in OUTPUT.
file(REMOVE_RECURSE "${OUTPUT}")
file(MAKE_DIRECTORY "${OUTPUT}")
execute_process(
    COMMAND "${CPACK}" -G DEB --config "${CONFIG}" -B "${OUTPUT}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${result}")
endif()
file(GLOB debs "${OUTPUT}/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package in ${OUTPUT}, found: ${debs}")
endif()
