# Build helpers shared by every folder of the project.
include_guard(GLOBAL)
include(GoogleTest)

# The browser build (emscripten) brings its own GLFW 3, OpenGL (WebGL through the
# fixed-function emulation) and GLU: the targets the libraries link stand for them, so
# that no folder needs a branch of its own. Tests, benchmarks and fuzz targets need the
# desktop and are not built.
function(quorlith_browser_dependencies)
    add_library(glfw INTERFACE IMPORTED GLOBAL)
    target_link_options(glfw INTERFACE -sUSE_GLFW=3)
    add_library(PkgConfig::EPOXY INTERFACE IMPORTED GLOBAL)
    target_link_options(PkgConfig::EPOXY INTERFACE -sLEGACY_GL_EMULATION=1)
    add_library(OpenGL::GLU INTERFACE IMPORTED GLOBAL)
endfunction()

# A macro, so that the packages' variables are seen by every folder.
macro(quorlith_find_dependencies)
    if(EMSCRIPTEN)
        quorlith_browser_dependencies()
    else()
        find_package(PkgConfig REQUIRED)
        pkg_check_modules(EPOXY REQUIRED IMPORTED_TARGET GLOBAL epoxy)
        find_package(glfw3 3.3 REQUIRED)
        set(OpenGL_GL_PREFERENCE GLVND)
        find_package(OpenGL REQUIRED COMPONENTS OpenGL)
        if(NOT TARGET OpenGL::GLU)
            message(FATAL_ERROR "GLU was not found (Debian package libglu1-mesa-dev)")
        endif()
        find_package(Threads REQUIRED)
        if(QUORLITH_BUILD_TESTS)
            find_package(GTest REQUIRED)
        endif()
        if(QUORLITH_BUILD_BENCH AND NOT QUORLITH_FUZZ AND NOT QUORLITH_SANITIZE)
            find_package(benchmark REQUIRED)
        endif()
    endif()
endmacro()

# Adds every direct subfolder of DIR that has a CMakeLists.txt, in name order.
function(quorlith_add_subdirectories dir)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${dir} ${dir}/*)
    list(SORT children)
    foreach(child IN LISTS children)
        if(IS_DIRECTORY ${dir}/${child} AND EXISTS ${dir}/${child}/CMakeLists.txt)
            add_subdirectory(${dir}/${child})
        endif()
    endforeach()
endfunction()

# Warnings, the repository-relative __FILE__ and the sanitizer flags for one target.
function(quorlith_target_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
        -fmacro-prefix-map=${CMAKE_SOURCE_DIR}/=)
    if(QUORLITH_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(QUORLITH_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
            -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    if(QUORLITH_FUZZ)
        # Coverage feedback from every library, not only from the fuzz target itself.
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
endfunction()

# quorlith_library(NAME <target> [DEPS <targets...>] [SOURCES <files...>])
# One static library from the .cpp files of the calling folder (not its subfolders).
# Headers are included by their path below lib/ ("Util/Store.h") or below the
# repository root ("game/MainLogic.h").
function(quorlith_library)
    cmake_parse_arguments(ARG "" "NAME" "DEPS;SOURCES" ${ARGN})
    if(NOT ARG_SOURCES)
        file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    endif()
    if(NOT ARG_SOURCES)
        # A folder of headers only (or not written yet) still gives its target.
        add_library(${ARG_NAME} INTERFACE)
        target_include_directories(${ARG_NAME} INTERFACE ${CMAKE_SOURCE_DIR}/lib ${CMAKE_SOURCE_DIR})
        target_link_libraries(${ARG_NAME} INTERFACE ${ARG_DEPS})
        return()
    endif()
    add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
    target_include_directories(${ARG_NAME} PUBLIC ${CMAKE_SOURCE_DIR}/lib ${CMAKE_SOURCE_DIR})
    target_link_libraries(${ARG_NAME} PUBLIC ${ARG_DEPS})
    quorlith_target_options(${ARG_NAME})
endfunction()

# quorlith_executable(NAME <target> SOURCES <files...> [DEPS <targets...>])
function(quorlith_executable)
    cmake_parse_arguments(ARG "" "NAME" "DEPS;SOURCES" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_include_directories(${ARG_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/lib ${CMAKE_SOURCE_DIR})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_DEPS})
    quorlith_target_options(${ARG_NAME})
endfunction()

# quorlith_test(NAME <target> LABEL <unit|gl|e2e> [SOURCES <files...>] [DEPS <targets...>])
# A GoogleTest program; every test runs in its own process under CTest so that the
# process-wide singletons start fresh. Sources default to the folder's *Test.cpp files.
function(quorlith_test)
    cmake_parse_arguments(ARG "" "NAME;LABEL" "DEPS;SOURCES" ${ARGN})
    if(NOT ARG_SOURCES)
        file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
    endif()
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_include_directories(${ARG_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/lib ${CMAKE_SOURCE_DIR}
        ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_DEPS} test_support GTest::gtest GTest::gtest_main)
    quorlith_target_options(${ARG_NAME})
    gtest_discover_tests(${ARG_NAME}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        PROPERTIES LABELS ${ARG_LABEL}
        DISCOVERY_TIMEOUT 60)
endfunction()

# quorlith_benchmark(NAME <target> SOURCES <files...> [DEPS <targets...>])
function(quorlith_benchmark)
    cmake_parse_arguments(ARG "" "NAME" "DEPS;SOURCES" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_include_directories(${ARG_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/lib ${CMAKE_SOURCE_DIR})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_DEPS} benchmark::benchmark)
    quorlith_target_options(${ARG_NAME})
endfunction()

# quorlith_fuzz_target(NAME <target> SOURCES <files...> [DEPS <targets...>] CORPUS <dir>)
# Every target links the shared fuzz support (fuzz/support). Under QUORLITH_FUZZ the
# target links libFuzzer; otherwise it links a small driver that runs every file of the
# checked-in corpus once, registered as a CTest test.
function(quorlith_fuzz_target)
    cmake_parse_arguments(ARG "" "NAME;CORPUS" "DEPS;SOURCES" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_include_directories(${ARG_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/lib ${CMAKE_SOURCE_DIR})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_DEPS} fuzz_support)
    quorlith_target_options(${ARG_NAME})
    if(QUORLITH_FUZZ)
        target_compile_options(${ARG_NAME} PRIVATE -fsanitize=fuzzer)
        target_link_options(${ARG_NAME} PRIVATE -fsanitize=fuzzer)
    else()
        target_link_libraries(${ARG_NAME} PRIVATE fuzz_replay_driver)
        add_test(NAME ${ARG_NAME}.replay COMMAND ${ARG_NAME} ${ARG_CORPUS})
        set_tests_properties(${ARG_NAME}.replay PROPERTIES LABELS fuzz-replay)
    endif()
endfunction()

# Appends the build-system targets of DIR and of every folder below it to OUT_VAR.
function(quorlith_collect_targets dir out_var)
    get_property(found DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        quorlith_collect_targets(${subdir} below)
        list(APPEND found ${below})
    endforeach()
    set(${out_var} ${found} PARENT_SCOPE)
endfunction()

# quorlith_write_target_file(<file> <folders...>)
# Writes the targets defined in the folders (and below them) with their declared
# dependencies and sources, one line per target ("name|type|folder|dep;dep|source;source"),
# for the layering check (scripts/check-layering.py). Call it after the folders are added.
function(quorlith_write_target_file file)
    set(lines "# Written by the configure step; read by scripts/check-layering.py.\n")
    quorlith_collect_targets(${CMAKE_SOURCE_DIR} targets)
    foreach(target IN LISTS targets)
        get_target_property(folder ${target} SOURCE_DIR)
        set(inside FALSE)
        foreach(root IN LISTS ARGN)
            string(FIND "${folder}/" "${root}/" at)
            if(at EQUAL 0)
                set(inside TRUE)
            endif()
        endforeach()
        get_target_property(type ${target} TYPE)
        if(NOT inside)
            continue()
        elseif(type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(deps ${target} INTERFACE_LINK_LIBRARIES)
            set(sources "")
        elseif(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
            get_target_property(deps ${target} LINK_LIBRARIES)
            get_target_property(sources ${target} SOURCES)
        else()
            continue()
        endif()
        if(NOT deps)
            set(deps "")
        endif()
        string(APPEND lines "${target}|${type}|${folder}|${deps}|${sources}\n")
    endforeach()
    file(WRITE ${file} "${lines}")
endfunction()
