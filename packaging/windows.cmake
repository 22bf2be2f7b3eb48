# The Windows downloads. The zip, for no install: a folder with the program file, the
# licence and a short read-me; unzip it and run Vellumino.exe. `make windows`
# packs it with `cpack -G ZIP` in build/windows.
install(TARGETS vellumino RUNTIME DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION . RENAME LICENSE.txt)
# The Chinese conversion's tables come from OpenCC's dictionaries.
install(FILES "${PROJECT_SOURCE_DIR}/styling/opencc/OPENCC-LICENSE" DESTINATION . RENAME OPENCC-LICENSE.txt)
# Their words and counts come from jieba's dictionary (MIT), whose notice
# goes with every copy.
install(FILES "${PROJECT_SOURCE_DIR}/styling/opencc/JIEBA-LICENSE" DESTINATION . RENAME JIEBA-LICENSE.txt)

# Notepad on a Chinese Windows takes a file without a byte-order mark for
# GBK, so the read-me carries one, and Windows line ends.
file(READ "${CMAKE_CURRENT_SOURCE_DIR}/readme-windows.txt" readme)
string(REPLACE "@VELLUMINO_VERSION@" "${VELLUMINO_VERSION}" readme "${readme}")
string(REPLACE "@VELLUMINO_HOME_URL@" "${VELLUMINO_HOME_URL}" readme "${readme}")
string(REPLACE "\n" "\r\n" readme "${readme}")
string(ASCII 239 187 191 bom)
file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/README.txt" "${bom}${readme}")
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/README.txt" DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Vellumino)
set(CPACK_PACKAGE_VERSION "${VELLUMINO_VERSION}")
set(CPACK_PACKAGE_VENDOR "${VELLUMINO_HOME_URL}")
set(CPACK_PACKAGE_FILE_NAME "Vellumino-${VELLUMINO_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES OFF)  # the linker has stripped it already
include(CPack)

# The setup beside the zip, for those who want a Start-menu entry and an
# uninstaller: Debian's makensis packs this build's own Vellumino.exe into
# Vellumino-VERSION-setup.exe in the build directory (setup.nsi says how).
find_program(MAKENSIS makensis NO_CMAKE_FIND_ROOT_PATH)
if(NOT MAKENSIS)
    message(STATUS "No setup: makensis not found (Debian: nsis)")
    return()
endif()
set(VELLUMINO_SETUP "${PROJECT_BINARY_DIR}/Vellumino-${VELLUMINO_VERSION}-setup.exe")
set(setup_script "${CMAKE_CURRENT_SOURCE_DIR}/setup.nsi")
set(setup_files "${PROJECT_SOURCE_DIR}/LICENSE" "${PROJECT_SOURCE_DIR}/styling/opencc/OPENCC-LICENSE"
    "${PROJECT_SOURCE_DIR}/assets/vellumino.ico")
set(setup_defines
    -DVERSION=${VELLUMINO_VERSION}
    -DVERSION_NUMBERS=${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0
    -DHOME_URL=${VELLUMINO_HOME_URL}
    -DPROGRAM=$<TARGET_FILE:vellumino>
    -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE
    -DOPENCC_LICENSE=${PROJECT_SOURCE_DIR}/styling/opencc/OPENCC-LICENSE
    -DICON=${PROJECT_SOURCE_DIR}/assets/vellumino.ico
    -DOUTFILE=${VELLUMINO_SETUP})
# jieba's notice, where the tables use its dictionary.
set(jieba_license "${PROJECT_SOURCE_DIR}/styling/opencc/JIEBA-LICENSE")
if(EXISTS "${jieba_license}")
    list(APPEND setup_defines -DJIEBA_LICENSE=${jieba_license})
    list(APPEND setup_files "${jieba_license}")
endif()
add_custom_command(OUTPUT "${VELLUMINO_SETUP}"
    # -WX: a warning (a missing language string, say) fails the build.
    COMMAND "${MAKENSIS}" -V2 -WX -NOCD -INPUTCHARSET UTF8 ${setup_defines} "${setup_script}"
    DEPENDS vellumino "${setup_script}" ${setup_files}
    COMMENT "Packing the setup, Vellumino-${VELLUMINO_VERSION}-setup.exe"
    VERBATIM)
add_custom_target(vellumino_setup ALL DEPENDS "${VELLUMINO_SETUP}")
