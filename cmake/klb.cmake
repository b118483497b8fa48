# Helpers that keep each folder's CMakeLists to one line: sources are globbed,
# so adding a file never touches a shared list.

# klb_library(<name> [DEPS <targets...>]): every .cpp below the current folder.
function(klb_library name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

# klb_tests(<name> [QT] [DEPS <targets...>]): every *_test.cpp below the current
# folder in one executable; each test case is its own CTest test.
# With QT the executable's main creates the QApplication (tests/qt_test_main.cpp).
# SOURCES names the test files instead.
function(klb_tests name)
  cmake_parse_arguments(A "QT" "" "DEPS;SOURCES" ${ARGN})
  if(A_SOURCES)
    set(srcs ${A_SOURCES})
  else()
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  endif()
  set(main GTest::gtest_main)
  if(A_QT)
    set(srcs ${srcs} ${PROJECT_SOURCE_DIR}/tests/qt_test_main.cpp)
    set(main Qt6::Widgets)
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gmock ${main})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# klb_control(<name> [MODEL_DEPS <targets...>] [DEPS <targets...>]): a
# control's folder: <name>_model from model/ (plain C++, its logic) and <name>
# from the folder's own .cpp files (the widget that draws it on platform/ui).
function(klb_control name)
  cmake_parse_arguments(A "" "" "MODEL_DEPS;DEPS" ${ARGN})
  file(GLOB model_srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/model/*.cpp)
  add_library(${name}_model STATIC ${model_srcs})
  target_include_directories(${name}_model PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name}_model PUBLIC platform_core ${A_MODEL_DEPS})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${name}_model platform_ui ${A_DEPS})
endfunction()

# klb_bench(<name> <source> [DEPS <targets...>])
function(klb_bench name source)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  add_executable(bench_${name} ${source})
  target_link_libraries(bench_${name} PRIVATE ${A_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
