// The step allocates nothing: global operator new is replaced here to count.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "scene_fixture.h"

namespace {
bool counting = false;
long allocations = 0;
} // namespace

void* operator new(std::size_t size) {
    if (counting) {
        ++allocations;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using AllocationTest = SceneTest;

TEST_F(AllocationTest, StepAllocatesNothing) {
    // Contacts, bounces and sounds included.
    ballCount = 2;
    placeBall(0, Vector3(-50, 100, 200), Vector3(100, 0, 0));
    placeBall(1, Vector3(50, 100, 200), Vector3(-100, 0, 0));
    counting = true;
    advanceSimulation();
    counting = false;
    ASSERT_EQ(soundCalls, 1);

    setUpSceneValues();
    counting = true;
    for (int call = 0; call < 20000; ++call) {
        advanceSimulation();
    }
    counting = false;
    EXPECT_EQ(allocations, 0);
}

} // namespace
