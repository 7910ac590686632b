tro_add_bench(bomvik_bench SOURCES bomvik_bench.cpp LIBS bomvik_model)
