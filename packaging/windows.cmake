# The Windows download: one zip holding a folder with the program file, the
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
