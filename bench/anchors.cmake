# The anchors that the benchmarks compare the programs with, and the tools
# that time them (bench/run.sh, bench/window.sh, bench/batch.sh).

add_executable(proc_time proc_time.cpp)
add_executable(minimal_main minimal_main.cpp)

# Swiss Ephemeris is for the benchmark only: used when installed (Debian
# libswe-dev), skipped otherwise.
find_path(SWE_INCLUDE_DIR swephexp.h)
find_library(SWE_LIBRARY swe)
if(SWE_INCLUDE_DIR AND SWE_LIBRARY)
  add_executable(anchor_bench anchor_bench.cpp)
  target_include_directories(anchor_bench PRIVATE ${SWE_INCLUDE_DIR})
  target_link_libraries(anchor_bench PRIVATE orbisca_engine ${SWE_LIBRARY} m ${CMAKE_DL_LIBS})
else()
  message(STATUS "Swiss Ephemeris (libswe-dev) not found: the engine's anchor benchmark is skipped")
endif()

if(ORBISCA_BUILD_GUI)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)
  add_executable(bare_window bare_window.cpp)
  target_link_libraries(bare_window PRIVATE Qt6::Widgets)
  add_executable(bare_button bare_button.cpp)
  target_link_libraries(bare_button PRIVATE Qt6::Widgets)
  find_package(X11)
  if(X11_FOUND)
    add_executable(xmaptime xmaptime.cpp)
    target_link_libraries(xmaptime PRIVATE X11::X11 ${CMAKE_DL_LIBS})
  endif()
endif()
