# One static library per source folder; files are picked up by glob so that
# adding a source file needs no edit here.
function(qb_add_library name dir)
    file(GLOB_RECURSE _srcs CONFIGURE_DEPENDS
        ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
    if(NOT _srcs)
        return()
    endif()
    add_library(${name} STATIC ${_srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# One GoogleTest executable per test folder.
function(qb_add_test_folder name dir)
    file(GLOB_RECURSE _srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    if(NOT _srcs)
        return()
    endif()
    add_executable(${name} ${_srcs})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main GTest::gmock ${ARGN})
    target_compile_definitions(${name} PRIVATE
        QB_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        QB_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        QB_BINARY_DIR="${PROJECT_BINARY_DIR}")
    if(QB_SANITIZE)
        target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/lsan_options.cpp)
        target_compile_definitions(${name} PRIVATE
            QB_LSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/tests/lsan.supp")
    endif()
    # Test discovery splits a list value into separate properties, so each property
    # carries one entry. A developer's own configuration folder stays out of the tests.
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
            ENVIRONMENT_MODIFICATION "QUARRYBOOK_CONFIG_DIR=unset:")
endfunction()
