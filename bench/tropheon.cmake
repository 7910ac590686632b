if(TARGET tropheon_model)
    tro_add_bench(tropheon SOURCES tropheon_bench.cpp LIBS tropheon_model)
endif()
