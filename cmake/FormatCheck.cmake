# format-check: fails when a C++ source differs from what .clang-format makes of it.
# format: rewrites them in place.
find_program(KYV_CLANG_FORMAT clang-format)
if(KYV_CLANG_FORMAT)
  file(GLOB_RECURSE KYV_FORMATTED_SOURCES CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h
       ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h
       ${CMAKE_SOURCE_DIR}/bench/*.cpp ${CMAKE_SOURCE_DIR}/bench/*.h
       ${CMAKE_SOURCE_DIR}/packaging/*.cpp)
  add_custom_target(format-check
    COMMAND ${KYV_CLANG_FORMAT} --dry-run --Werror ${KYV_FORMATTED_SOURCES}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Checking C++ formatting against .clang-format"
    VERBATIM)
  add_custom_target(format
    COMMAND ${KYV_CLANG_FORMAT} -i ${KYV_FORMATTED_SOURCES}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    VERBATIM)
endif()
