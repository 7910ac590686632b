tro_add_bench(lines_bench SOURCES lines_bench.cpp LIBS lines_model)
