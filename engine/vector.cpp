#include "engine/vector.hpp"

#include <cstdlib>
#include <cstring>

namespace {

char *element_at(const Vector *vector, i64 index) {
    return static_cast<char *>(vector->data) + index * static_cast<i64>(vector->element_size);
}

// Brings the storage to exactly count elements after a removal. A failed shrink keeps
// the old, larger block, which still holds every remaining element.
void storage_shrink(Vector *vector) {
    if (vector->count == 0) {
        std::free(vector->data);
        vector->data = nullptr;
        return;
    }
    void *data = std::realloc(vector->data, static_cast<size_t>(vector->count) * vector->element_size);
    if (data) vector->data = data;
}

// Grows the storage by one element; false (and nothing changed) when full or out of memory.
bool storage_grow(Vector *vector) {
    if (static_cast<u64>(vector->count) + 1 > vector->capacity) return false;
    void *data = std::realloc(vector->data, static_cast<size_t>(vector->count + 1) * vector->element_size);
    if (!data) return false;
    vector->data = data;
    vector->count += 1;
    return true;
}

} // namespace

void vector_init(Vector *vector, u64 element_size, u32 capacity) {
    vector->count = 0;
    vector->capacity = capacity;
    vector->element_size = element_size;
    vector->data = nullptr;
}

void vector_free(Vector *vector) {
    std::free(vector->data);
    vector->data = nullptr;
    vector->count = 0;
}

void vector_clear(Vector *vector) { vector_free(vector); }

void *vector_push(Vector *vector, const void *element) {
    if (!storage_grow(vector)) return nullptr;
    char *slot = element_at(vector, vector->count - 1);
    if (element) {
        std::memcpy(slot, element, vector->element_size);
    } else {
        std::memset(slot, 0, vector->element_size);
    }
    return slot;
}

void *vector_insert(Vector *vector, const void *element, i32 index) {
    if (!storage_grow(vector)) return nullptr;
    for (i32 i = vector->count - 1; i > index; i--) {
        std::memcpy(element_at(vector, i), element_at(vector, i - 1), vector->element_size);
    }
    char *slot = element_at(vector, index);
    std::memcpy(slot, element, vector->element_size);
    return slot;
}

void vector_pop(Vector *vector) {
    vector->count -= 1;
    storage_shrink(vector);
}

void vector_remove(Vector *vector, i32 index) {
    for (i32 i = index + 1; i < vector->count; i++) {
        std::memcpy(element_at(vector, i - 1), element_at(vector, i), vector->element_size);
    }
    vector->count -= 1;
    storage_shrink(vector);
}

void vector_remove_from_data(Vector *vector, const void *element) {
    vector_remove(vector, static_cast<i32>(vector_index_get(vector, element)));
}

void *vector_get(const Vector *vector, i32 index) { return element_at(vector, index); }

u64 vector_index_get(const Vector *vector, const void *element) {
    return static_cast<u64>(static_cast<const char *>(element) - static_cast<const char *>(vector->data)) /
           vector->element_size;
}

u64 vector_size_get(const Vector *vector) { return static_cast<u64>(vector->count) * vector->element_size; }
