# Writes the service worker: cmake -DSITE=DIR -DTEMPLATE=sw.js.in -DOUTPUT=sw.js
# -DFILES="a;b;c" -P service_worker.cmake. Its cache is named after the files'
# contents, so that every change to them reaches a visitor's cache.
cmake_minimum_required(VERSION 3.25)
set(hashed "")
foreach(name IN LISTS FILES)
    file(SHA256 ${SITE}/${name} hash)
    string(APPEND hashed "${name} ${hash}\n")
endforeach()
string(SHA256 version "${hashed}")
string(SUBSTRING ${version} 0 16 version)
set(quoted "\"./\"")
foreach(name IN LISTS FILES)
    string(APPEND quoted ", \"${name}\"")
endforeach()
file(READ ${TEMPLATE} worker)
string(REPLACE "@VERSION@" "${version}" worker "${worker}")
string(REPLACE "@FILES@" "${quoted}" worker "${worker}")
file(WRITE ${OUTPUT} "${worker}")
