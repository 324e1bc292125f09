# The platform layers are shared libraries, so that a program and the add-in library it loads use
# one instance of the platform (one toolkit, one set of open windows, one registry view); the
# product layers are static, since each deliverable carries its own copy of the modules it
# contains.
set(QV_SHARED_LAYERS qv_automation qv_platform qv_ui qv_browser qv_office qv_powerpoint qv_word)

# Every layer is one library made of the .cpp files below its folder, and one GoogleTest
# program made of the files in the tests/ folders below it. New source files are picked up at the
# next build without editing any list. A folder holding a main.cpp is a program of its own and is
# left to the layer's CMakeLists.txt.

function(qv_collect out)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(qv_layer name)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  qv_collect(sources)
  list(FILTER sources EXCLUDE REGEX "/tests/")
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  foreach(pattern ${ARG_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "${pattern}")
  endforeach()
  if(NOT sources)
    # A layer that has only headers so far.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  if(name IN_LIST QV_SHARED_LAYERS)
    add_library(${name} SHARED ${sources})
  else()
    add_library(${name} STATIC ${sources})
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

function(qv_layer_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  qv_collect(sources)
  list(FILTER sources INCLUDE REGEX "/tests/")
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120
                       ENVIRONMENT "QV_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
