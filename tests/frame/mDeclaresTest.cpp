#include "frame/mDeclares.h"

#include <gtest/gtest.h>

#include <memory>

#include "frame/cNCCalcSize.h"

TEST(mDeclaresKeyboardHook, RegistersEachEngineOnceAndUnhooksWhenNoneIsLeft) {
    auto first = std::make_shared<cNCCalcSize>();
    auto second = std::make_shared<cNCCalcSize>();
    ASSERT_EQ(mDeclares::RegisteredCount(), 0);

    mDeclares::AttachKeyboardHook(first.get());
    const HHOOK hook = mDeclares::KeyboardHookHandle();
    EXPECT_NE(hook, nullptr);
    mDeclares::AttachKeyboardHook(first.get());
    EXPECT_EQ(mDeclares::RegisteredCount(), 1);
    mDeclares::AttachKeyboardHook(second.get());
    EXPECT_EQ(mDeclares::KeyboardHookHandle(), hook);  // shared by every engine
    EXPECT_EQ(mDeclares::FindHookIndex(first.get()), 1);
    EXPECT_EQ(mDeclares::FindHookIndex(second.get()), 2);

    mDeclares::DetachKeyboardHook(first.get());
    EXPECT_EQ(mDeclares::FindHookIndex(second.get()), 1);
    EXPECT_EQ(mDeclares::FindHookIndex(first.get()), 0);
    EXPECT_NE(mDeclares::KeyboardHookHandle(), nullptr);

    mDeclares::DetachKeyboardHook(second.get());
    EXPECT_EQ(mDeclares::RegisteredCount(), 0);
    EXPECT_EQ(mDeclares::KeyboardHookHandle(), nullptr);

    // An engine that was never registered: a hook with no entry left is removed.
    mDeclares::AttachKeyboardHook(first.get());
    mDeclares::DetachKeyboardHook(first.get());
    mDeclares::DetachKeyboardHook(second.get());
    EXPECT_EQ(mDeclares::KeyboardHookHandle(), nullptr);
}

TEST(mDeclaresKeyboardHook, OnlyAnActiveEngineIsFound) {
    auto engine = std::make_shared<cNCCalcSize>();
    mDeclares::AttachKeyboardHook(engine.get());
    std::shared_ptr<cNCCalcSize> found;
    EXPECT_FALSE(mDeclares::GetActiveNCCalcSize(found));
    mDeclares::DetachKeyboardHook(engine.get());
}
