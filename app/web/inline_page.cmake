# Writes the served page with its style and script inside it, each allowed
# by its hash in the page's Content-Security-Policy: two requests fewer
# before the page is ready, which on a busy phone cost more than the bytes.
#   cmake -DPAGE=index.html -DSTYLE=vellumino.css -DSCRIPT=vellumino.js
#         -DOUTPUT=site/index.html -P inline_page.cmake
cmake_minimum_required(VERSION 3.25)

# What a CSP source expression wants: the SHA-256 digest in base64.
function(base64_sha256 text out)
    string(SHA256 hex "${text}")
    set(digits "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
    set(encoded "")
    # 64 hex digits are 32 bytes: ten groups of three bytes and one of two.
    foreach(at RANGE 0 63 6)
        string(SUBSTRING "${hex}" ${at} 6 group)
        string(LENGTH "${group}" length)
        if(length LESS 6)
            string(APPEND group "00")
        endif()
        math(EXPR value "0x${group}")
        foreach(shift 18 12 6 0)
            math(EXPR digit "(${value} >> ${shift}) & 63")
            string(SUBSTRING "${digits}" ${digit} 1 char)
            string(APPEND encoded "${char}")
        endforeach()
        if(length LESS 6)
            string(SUBSTRING "${encoded}" 0 43 encoded)
            string(APPEND encoded "=")
        endif()
    endforeach()
    set(${out} "${encoded}" PARENT_SCOPE)
endfunction()

file(READ ${PAGE} page)
file(READ ${STYLE} style)
file(READ ${SCRIPT} script)
string(TOLOWER "${style}" lower_style)
string(TOLOWER "${script}" lower_script)
if(lower_style MATCHES "</style" OR lower_script MATCHES "</script")
    message(FATAL_ERROR "the style or the script would end its element early")
endif()
base64_sha256("${style}" style_hash)
base64_sha256("${script}" script_hash)
foreach(pair
        "<link rel=\"stylesheet\" href=\"vellumino.css\" />|<style>${style}</style>"
        "<script src=\"vellumino.js\" async></script>|<script>${script}</script>"
        "script-src 'self'|script-src 'self' 'sha256-${script_hash}'"
        "style-src 'self'|style-src 'sha256-${style_hash}'")
    string(FIND "${pair}" "|" bar)
    string(SUBSTRING "${pair}" 0 ${bar} from)
    math(EXPR bar "${bar} + 1")
    string(SUBSTRING "${pair}" ${bar} -1 to)
    string(FIND "${page}" "${from}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "${PAGE} has no ${from}")
    endif()
    string(REPLACE "${from}" "${to}" page "${page}")
endforeach()
file(WRITE ${OUTPUT} "${page}")
