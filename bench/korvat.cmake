if(TARGET korvat_model)
    tro_add_bench(korvat SOURCES korvat_bench.cpp LIBS korvat_model)
endif()
