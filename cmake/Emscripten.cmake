# The core compiled to WebAssembly with Debian's emscripten. Programs that
# run during the build or as tests run under Node (the toolchain makes it the
# cross-compiling emulator), so they are linked for Node and read and write
# the real file system.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    message(FATAL_ERROR "The web build runs its tests and build steps under Node, and found none "
                        "(Debian: nodejs)")
endif()

# Small code: the page is a download. The tables are data, so -Os costs
# the commands little.
add_compile_options($<$<CONFIG:MinSizeRel,Release,RelWithDebInfo>:-Os>)

# Node 18 and later have a fetch() that emscripten 3.1.6 mistakes for a
# browser's and hands a file path, so programs for Node compile their wasm
# at once, from the file beside them, without it.
function(vellumino_node_program target)
    target_link_options(${target} PRIVATE
        -sENVIRONMENT=node -sWASM_ASYNC_COMPILATION=0 -sNODERAWFS=1 -sEXIT_RUNTIME=1
        -sALLOW_MEMORY_GROWTH=1)
endfunction()
