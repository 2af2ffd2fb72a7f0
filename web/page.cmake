# Writes our page beside the linked game (run by the build after every link, see gyrel.cmake):
# the build's name is the project's version and a digest of the game's files and the page's
# sources, so the page's requests and the offline cache change whenever anything does.
# Arguments: -DSOURCE=<repo>/web -DOUTPUT=<folder of gyrel.js> -DVERSION=<project version>
set(PAGE_FILES index.html screen.js touch.js life.js sw.js manifest.webmanifest icons/icon-192.png icons/icon-512.png)
set(digests "")
foreach(file gyrel.js gyrel.wasm gyrel.data)
    file(SHA256 ${OUTPUT}/${file} digest)
    string(APPEND digests ${digest})
endforeach()
foreach(file ${PAGE_FILES})
    file(SHA256 ${SOURCE}/${file} digest)
    string(APPEND digests ${digest})
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING ${digest} 0 12 digest)
set(GYREL_BUILD ${VERSION}-${digest})

configure_file(${SOURCE}/index.html ${OUTPUT}/index.html @ONLY)
configure_file(${SOURCE}/sw.js ${OUTPUT}/sw.js @ONLY)
foreach(file screen.js touch.js life.js manifest.webmanifest icons/icon-192.png icons/icon-512.png)
    get_filename_component(name ${file} NAME)
    configure_file(${SOURCE}/${file} ${OUTPUT}/${name} COPYONLY)
endforeach()
