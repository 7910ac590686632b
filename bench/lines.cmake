if(TARGET lines_model)
    tro_add_bench(lines SOURCES lines_bench.cpp LIBS lines_model)
endif()
