// The one container: hard capacity, exact-size storage, order-keeping moves.
#include <gtest/gtest.h>

#include "engine/vector.hpp"

namespace {

struct Triple {
    i32 a, b, c;
};

i32 at(const Vector *vector, i32 index) { return *static_cast<i32 *>(vector_get(vector, index)); }

void fill(Vector *vector, i32 count) {
    for (i32 i = 0; i < count; i++) ASSERT_NE(vector_push(vector, &i), nullptr);
}

} // namespace

TEST(Vector, CapacityIsAHardLimit) {
    Vector none;
    vector_init(&none, sizeof(i32), 0);
    i32 value = 7;
    EXPECT_EQ(vector_push(&none, &value), nullptr);
    EXPECT_EQ(vector_push(&none, nullptr), nullptr);
    EXPECT_EQ(vector_insert(&none, &value, 0), nullptr);
    EXPECT_EQ(none.count, 0);
    EXPECT_EQ(none.data, nullptr);

    Vector full;
    vector_init(&full, sizeof(i32), 255);
    fill(&full, 255);
    void *data = full.data;
    EXPECT_EQ(vector_push(&full, &value), nullptr);
    EXPECT_EQ(vector_insert(&full, &value, 0), nullptr);
    EXPECT_EQ(full.count, 255);
    EXPECT_EQ(full.data, data);
    EXPECT_EQ(at(&full, 0), 0);
    EXPECT_EQ(at(&full, 254), 254);
    vector_remove(&full, 10);
    ASSERT_NE(vector_push(&full, &value), nullptr);
    EXPECT_EQ(full.count, 255);
    EXPECT_EQ(at(&full, 254), 7);
    EXPECT_EQ(full.capacity, 255u);
    vector_free(&full);
    EXPECT_EQ(full.count, 0);
    EXPECT_EQ(full.data, nullptr);
    EXPECT_EQ(full.capacity, 255u);
    EXPECT_EQ(full.element_size, sizeof(i32));
}

TEST(Vector, PushInsertAndRemoveKeepOrder) {
    Vector vector;
    vector_init(&vector, sizeof(Triple), 8);
    EXPECT_EQ(vector.data, nullptr);

    Triple garbage = {-1, -1, -1};
    Triple *zero = static_cast<Triple *>(vector_push(&vector, nullptr));
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->a, 0);
    EXPECT_EQ(zero->b, 0);
    EXPECT_EQ(zero->c, 0);
    vector_pop(&vector);
    EXPECT_EQ(vector.count, 0);
    EXPECT_EQ(vector.data, nullptr);
    // A fresh block after the array emptied must still be zero-filled, not the old bytes.
    vector_push(&vector, &garbage);
    vector_pop(&vector);
    zero = static_cast<Triple *>(vector_push(&vector, nullptr));
    EXPECT_EQ(zero->a, 0);
    EXPECT_EQ(zero->c, 0);
    vector_clear(&vector);
    EXPECT_EQ(vector.data, nullptr);

    for (i32 i = 1; i <= 3; i++) {
        Triple t = {i, i * 10, i * 100};
        vector_push(&vector, &t);
    }
    EXPECT_EQ(vector_size_get(&vector), 36u);

    Triple first = {0, 0, 9};
    Triple *inserted = static_cast<Triple *>(vector_insert(&vector, &first, 0));
    EXPECT_EQ(inserted, vector_get(&vector, 0));
    Triple last = {4, 40, 400};
    inserted = static_cast<Triple *>(vector_insert(&vector, &last, vector.count));
    EXPECT_EQ(inserted, vector_get(&vector, 4));
    ASSERT_EQ(vector.count, 5);
    const i32 expected_a[] = {0, 1, 2, 3, 4};
    for (i32 i = 0; i < 5; i++) {
        const Triple *t = static_cast<Triple *>(vector_get(&vector, i));
        EXPECT_EQ(t->a, expected_a[i]);
        if (i > 0) {
            EXPECT_EQ(t->c, expected_a[i] * 100);
        }
    }
    EXPECT_EQ(vector_index_get(&vector, vector_get(&vector, 3)), 3u);

    vector_remove_from_data(&vector, vector_get(&vector, 1));
    vector_remove(&vector, 0);
    ASSERT_EQ(vector.count, 3);
    EXPECT_EQ(static_cast<Triple *>(vector_get(&vector, 0))->a, 2);
    EXPECT_EQ(static_cast<Triple *>(vector_get(&vector, 1))->b, 30);
    EXPECT_EQ(static_cast<Triple *>(vector_get(&vector, 2))->c, 400);
    vector_remove(&vector, 2);
    vector_remove(&vector, 1);
    vector_remove(&vector, 0);
    EXPECT_EQ(vector.count, 0);
    EXPECT_EQ(vector.data, nullptr);
    EXPECT_EQ(vector_size_get(&vector), 0u);
    vector_free(&vector);
}

TEST(Vector, InsertInTheMiddleMovesTheTailUp) {
    Vector vector;
    vector_init(&vector, sizeof(i32), 16);
    fill(&vector, 6);
    i32 value = 99;
    vector_insert(&vector, &value, 2);
    const i32 expected[] = {0, 1, 99, 2, 3, 4, 5};
    ASSERT_EQ(vector.count, 7);
    for (i32 i = 0; i < 7; i++) {
        EXPECT_EQ(at(&vector, i), expected[i]) << i;
    }
    vector_free(&vector);
}

TEST(Vector, FailedAllocationChangesNothing) {
    // An element so large that no allocator can provide it.
    Vector vector;
    vector_init(&vector, u64(1) << 62, 4);
    char element = 0;
    EXPECT_EQ(vector_push(&vector, nullptr), nullptr);
    EXPECT_EQ(vector_insert(&vector, &element, 0), nullptr);
    EXPECT_EQ(vector.count, 0);
    EXPECT_EQ(vector.data, nullptr);
}
