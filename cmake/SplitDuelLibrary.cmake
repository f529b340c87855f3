include(${CMAKE_CURRENT_LIST_DIR}/LayerCheck.cmake)

# Each subsystem is one static library built from the sources of its folder; the windows of a
# subsystem live in its ui/ folder and form a second library "<name>_ui", the only kind that
# links Qt Widgets. New source files are picked up without editing the build files.
function(splitduel_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;QT" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} ${ARG_QT})
  splitduel_layer_library(${name})
endfunction()

function(splitduel_ui_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
  if(sources)
    add_library(${name}_ui STATIC ${sources})
    target_include_directories(${name}_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name}_ui PUBLIC ${name} ${ARG_DEPENDS} Qt6::Widgets Qt6::PrintSupport)
    splitduel_layer_library(${name}_ui)
  endif()
endfunction()

# One GoogleTest executable per test folder, from every .cpp in it. DEPENDS names the libraries
# under test plus testsupport (core) or testsupport_gui (windows, with a QApplication).
function(splitduel_test name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gmock)
  splitduel_layer_target(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
