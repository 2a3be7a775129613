// The move-only handle owner, with a fake integer handle and a counting deleter.
#include "core/unique_handle.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace zelvane {
namespace {

std::vector<int> closedHandles;

struct FakeTraits {
    using Type = int;
    static Type Invalid() { return -1; }
    static void Close(Type handle) { closedHandles.push_back(handle); }
};

using FakeHandle = UniqueHandle<FakeTraits>;

static_assert(!std::is_copy_constructible_v<FakeHandle>);
static_assert(!std::is_copy_assignable_v<FakeHandle>);
static_assert(std::is_nothrow_move_constructible_v<FakeHandle>);
static_assert(std::is_nothrow_move_assignable_v<FakeHandle>);

class UniqueHandleTest : public ::testing::Test {
protected:
    void SetUp() override { closedHandles.clear(); }
};

TEST_F(UniqueHandleTest, EmptyOwnerClosesNothing) {
    {
        FakeHandle empty;
        EXPECT_FALSE(empty);
        EXPECT_EQ(empty.get(), -1);
        empty.reset();
    }
    EXPECT_TRUE(closedHandles.empty());
}

TEST_F(UniqueHandleTest, ValidityComesFromTheTraitsNotFromZero) {
    FakeHandle zero(0);
    EXPECT_TRUE(zero);
    zero.reset();
    EXPECT_EQ(closedHandles, std::vector<int>{0});
}

TEST_F(UniqueHandleTest, ClosesItsHandleOnceAtTheEnd) {
    { FakeHandle owner(7); }
    EXPECT_EQ(closedHandles, std::vector<int>{7});
}

TEST_F(UniqueHandleTest, ResetClosesTheOldHandleAndKeepsTheNew) {
    FakeHandle owner(1);
    owner.reset(2);
    EXPECT_EQ(closedHandles, std::vector<int>{1});
    EXPECT_EQ(owner.get(), 2);
    owner.reset();
    EXPECT_EQ(closedHandles, (std::vector<int>{1, 2}));
    EXPECT_FALSE(owner);
}

TEST_F(UniqueHandleTest, ReleaseHandsOverWithoutClosing) {
    int released = -1;
    {
        FakeHandle owner(3);
        released = owner.release();
        EXPECT_FALSE(owner);
    }
    EXPECT_EQ(released, 3);
    EXPECT_TRUE(closedHandles.empty());
}

TEST_F(UniqueHandleTest, MovingTransfersOwnershipWithoutDoubleClose) {
    {
        FakeHandle source(4);
        FakeHandle moved(std::move(source));
        EXPECT_FALSE(source);  // NOLINT(bugprone-use-after-move): the moved-from state is the point
        EXPECT_EQ(moved.get(), 4);

        FakeHandle target(5);
        target = std::move(moved);
        EXPECT_EQ(closedHandles, std::vector<int>{5});
        EXPECT_EQ(target.get(), 4);
    }
    EXPECT_EQ(closedHandles, (std::vector<int>{5, 4}));
}

TEST_F(UniqueHandleTest, SelfMoveKeepsTheHandleOpen) {
    FakeHandle owner(6);
    FakeHandle& alias = owner;
    owner = std::move(alias);
    EXPECT_EQ(owner.get(), 6);
    EXPECT_TRUE(closedHandles.empty());
}

}  // namespace
}  // namespace zelvane
