if(TARGET bomvik_model)
    tro_add_bench(bomvik SOURCES bomvik_bench.cpp LIBS bomvik_model)
endif()
