// Vector: a contiguous array of plain-data elements with a hard maximum count.
// Storage is always exactly count * element_size bytes (reallocated on every change).
#pragma once

#include "engine/types.hpp"

struct Vector {
    i32 count;
    u32 capacity;
    u64 element_size;
    void *data;
};

void vector_init(Vector *vector, u64 element_size, u32 capacity);
void vector_free(Vector *vector);
void vector_clear(Vector *vector);
void *vector_push(Vector *vector, const void *element);
void *vector_insert(Vector *vector, const void *element, i32 index);
void vector_pop(Vector *vector);
void vector_remove(Vector *vector, i32 index);
void vector_remove_from_data(Vector *vector, const void *element);
void *vector_get(const Vector *vector, i32 index);
u64 vector_index_get(const Vector *vector, const void *element);
u64 vector_size_get(const Vector *vector);
