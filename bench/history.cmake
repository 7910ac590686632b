# The history at its size limits: the progress window, the CSV and the recording of a result.
if(TARGET tro_progress_ui)
    add_executable(progress_bench progress_bench.cpp)
    target_link_libraries(progress_bench PRIVATE tro_progress_ui benchmark::benchmark)
    tro_warnings(progress_bench)
endif()
