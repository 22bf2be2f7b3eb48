# Warnings apply to the project's own code; CMAKE_COMPILE_WARNING_AS_ERROR
# (set by the CI preset) turns them into errors.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
elseif(MSVC)
    add_compile_options(/W4 /utf-8)
endif()

if(VELLUMINO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

# Every Windows adapter wants the lean <windows.h> without its min/max macros.
set(VELLUMINO_WINDOWS_DEFINITIONS WIN32_LEAN_AND_MEAN NOMINMAX)
