# The browser build of the game (included by the top CMakeLists.txt under emscripten).
# SDL2 and its libraries come from GYREL_WEB_LIBS, the prefix scripts/web builds them into
# (web/libs); they are linked by full path: emscripten would swap its own ports in for -l names.

set(GYREL_WEB_LIBS "" CACHE PATH "Prefix holding SDL2 and its libraries built for the web")
if(NOT EXISTS "${GYREL_WEB_LIBS}/lib/libSDL2.a")
    message(FATAL_ERROR "GYREL_WEB_LIBS (${GYREL_WEB_LIBS}) holds no web libraries: run scripts/web --build-only")
endif()

# glm alone, not all of /usr/include, beside emscripten's own system headers.
set(GYREL_GLM_INCLUDE ${CMAKE_BINARY_DIR}/glm-include)
file(MAKE_DIRECTORY ${GYREL_GLM_INCLUDE})
file(CREATE_LINK /usr/include/glm ${GYREL_GLM_INCLUDE}/glm SYMBOLIC)

add_library(gyrel_web_platform INTERFACE)
target_include_directories(gyrel_web_platform SYSTEM INTERFACE ${GYREL_WEB_LIBS}/include ${GYREL_GLM_INCLUDE})
foreach(library SDL2_ttf freetype SDL2_mixer SDL2_image SDL2)
    target_link_libraries(gyrel_web_platform INTERFACE ${GYREL_WEB_LIBS}/lib/lib${library}.a)
endforeach()
target_link_options(gyrel_web_platform INTERFACE -lGLEW)
# size_t is 32 bits in wasm32: the 64-bit sizes our records keep narrow there by design.
target_compile_options(gyrel_web_platform INTERFACE -Wno-shorten-64-to-32)

# Links the game as gyrel.js + gyrel.wasm + gyrel.data (all of res/, mounted at res/ so the
# paths relative to the working directory hold) beside our page.
function(gyrel_web_page target)
    file(GLOB_RECURSE resources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*)
    set_target_properties(${target} PROPERTIES SUFFIX .js LINK_DEPENDS "${resources};${CMAKE_SOURCE_DIR}/web/library_funcs.txt")
    target_link_options(${target} PRIVATE
        -sENVIRONMENT=web
        -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
        -sALLOW_MEMORY_GROWTH=1
        # SDL's web audio calls these two runtime functions; Debian's 3.1.6 leaves them out.
        -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_SOURCE_DIR}/web/library_funcs.txt
        "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/res@res")
    # The page's files (web/files.txt) follow every build: the page names the build, so this
    # runs after each link and when a page file changes.
    add_custom_target(${target}_page ALL
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/web -DOUTPUT=${CMAKE_BINARY_DIR}
                -DVERSION=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/web/page.cmake
        VERBATIM)
    add_dependencies(${target}_page ${target})
endfunction()
