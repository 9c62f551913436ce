# The station log and the trend model (core), and the trend window (Qt Charts).
# GLOBAL: the widget library in src/ links it too.
find_package(Qt6 6.4 REQUIRED COMPONENTS Charts GLOBAL)
find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
get_filename_component(ANEMORA_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/../../src ABSOLUTE)
get_filename_component(ANEMORA_TESTS_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

set(ANEMORA_HISTORY_SOURCES
  ${ANEMORA_SOURCE_ROOT}/history/station_log_row.h
  ${ANEMORA_SOURCE_ROOT}/history/station_log_row.cpp
  ${ANEMORA_SOURCE_ROOT}/history/station_log.h
  ${ANEMORA_SOURCE_ROOT}/history/station_log.cpp
  ${ANEMORA_SOURCE_ROOT}/history/trend_quantity.h
  ${ANEMORA_SOURCE_ROOT}/history/trend_quantity.cpp
  ${ANEMORA_SOURCE_ROOT}/history/trend_thresholds.h
  ${ANEMORA_SOURCE_ROOT}/history/trend_thresholds.cpp
  ${ANEMORA_SOURCE_ROOT}/history/day_summary.h
  ${ANEMORA_SOURCE_ROOT}/history/day_summary.cpp
  ${ANEMORA_SOURCE_ROOT}/history/trend_model.h
  ${ANEMORA_SOURCE_ROOT}/history/trend_model.cpp)
set(ANEMORA_TREND_WINDOW_SOURCES
  ${ANEMORA_SOURCE_ROOT}/ui/trend_window.h
  ${ANEMORA_SOURCE_ROOT}/ui/trend_window.cpp)

# While src/ gathers its files by itself these are already in; once it lists
# them by hand they move there.
get_target_property(anemora_core_sources anemora_core SOURCES)
foreach(source IN LISTS ANEMORA_HISTORY_SOURCES)
  if(NOT source IN_LIST anemora_core_sources)
    target_sources(anemora_core PRIVATE ${source})
  endif()
endforeach()
if(TARGET anemora_ui)
  set(anemora_widget_library anemora_ui)
else()
  set(anemora_widget_library anemora_core)
endif()
get_target_property(anemora_widget_sources ${anemora_widget_library} SOURCES)
foreach(source IN LISTS ANEMORA_TREND_WINDOW_SOURCES)
  if(NOT source IN_LIST anemora_widget_sources)
    target_sources(${anemora_widget_library} PRIVATE ${source})
  endif()
endforeach()
target_link_libraries(${anemora_widget_library} PUBLIC Qt6::Charts)

# One executable per test file, unless the folder-wide rule made it already.
foreach(name tst_station_log tst_trend_model tst_trend_window bench_trend_model)
  if(TARGET ${name})
    continue()
  endif()
  add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp)
  target_link_libraries(${name} PRIVATE anemora_core Qt6::Test)
  # The shared toolkit is included as "common/...".
  target_include_directories(${name} PRIVATE ${ANEMORA_TESTS_ROOT})
  if(name MATCHES "^bench_")
    add_test(NAME ${name} COMMAND ${name} -iterations 1)
    set_tests_properties(${name} PROPERTIES LABELS bench)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endforeach()
if(TARGET anemora_ui)
  target_link_libraries(tst_trend_window PRIVATE anemora_ui)
endif()
