# The benchmark driver, built with the Windows presets when QUILLET_BENCH is on
# (scripts/bench.sh turns it on) and run only by scripts/bench.sh (never
# registered with CTest).
file(GLOB QUILLET_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/src/*.cpp)
add_executable(quillet_bench ${QUILLET_BENCH_SOURCES})
target_compile_definitions(quillet_bench PRIVATE NOMINMAX)
target_compile_options(quillet_bench PRIVATE ${QUILLET_WARNINGS})
# Quillet's headers, for its editor's styles (nothing of Quillet is linked in).
target_include_directories(quillet_bench PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(quillet_bench PRIVATE psapi user32 gdi32 kernel32)
# It copies quillet.exe from beside itself.
add_dependencies(quillet_bench quillet)
