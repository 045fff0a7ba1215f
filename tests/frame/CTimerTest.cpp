#include "frame/CTimer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frame/MTimer.h"
#include "runtime/core/RuntimeError.h"
#include "tests/support/MessagePump.h"

using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

constexpr long kLongInterval = 1000000;  // never ticks during a test

int SlotOf(const std::shared_ptr<CTimer>& timer) {
    for (int slot = 1; slot <= MTimer::kSlotCount; ++slot) {
        if (MTimer::SlotTimer(slot) == timer.get()) return slot;
    }
    return 0;
}

// An owner that handles its timer's event through an event-receiving field.
class Owner {
public:
    explicit Owner(int& ticks) : m_ticks(ticks) {}
    CTimerField m_cTmr{[this] { m_cTmr_ThatTime(); }};

private:
    void m_cTmr_ThatTime() { ++m_ticks; }
    int& m_ticks;
};

}  // namespace

TEST(CTimer, SlotsAreTakenLowestFirstAndTheHighestIsNeverLowered) {
    const int before = MTimer::HighestSlot();
    auto first = CTimer::Create();
    auto second = CTimer::Create();
    auto third = CTimer::Create();
    EXPECT_EQ(first->Interval(), 0);
    EXPECT_EQ(first->TimerID(), 0u);

    first->Interval(kLongInterval);
    second->Interval(kLongInterval);
    EXPECT_EQ(SlotOf(first), 1);
    EXPECT_EQ(SlotOf(second), 2);
    EXPECT_NE(first->TimerID(), 0u);

    first->Interval(0);
    EXPECT_EQ(MTimer::SlotTimer(1), nullptr);
    third->Interval(kLongInterval);
    EXPECT_EQ(SlotOf(third), 1);
    EXPECT_EQ(MTimer::HighestSlot(), std::max(before, 2));

    second->Interval(0);
    third->Interval(0);
    EXPECT_EQ(MTimer::HighestSlot(), std::max(before, 2));
    EXPECT_EQ(MTimer::SlotTimer(1), nullptr);
    EXPECT_EQ(MTimer::SlotTimer(2), nullptr);
}

TEST(CTimer, SameIntervalKeepsTheTimerAndNegativeStopsIt) {
    auto timer = CTimer::Create();
    timer->Interval(kLongInterval);
    const UINT_PTR id = timer->TimerID();
    const int slot = SlotOf(timer);
    timer->Interval(kLongInterval);
    EXPECT_EQ(timer->TimerID(), id);
    EXPECT_EQ(SlotOf(timer), slot);

    timer->Interval(kLongInterval - 1);
    EXPECT_EQ(timer->Interval(), kLongInterval - 1);
    EXPECT_NE(SlotOf(timer), 0);

    timer->Interval(-5);
    EXPECT_EQ(timer->Interval(), 0);
    EXPECT_EQ(SlotOf(timer), 0);
    timer->Interval(-5);  // stopping a stopped timer changes nothing
    timer->Interval(0);
    EXPECT_EQ(timer->Interval(), 0);
}

TEST(CTimer, TicksArriveThroughTheMessageLoopUntilStopped) {
    int ticks = 0;
    Owner owner(ticks);
    owner.m_cTmr = CTimer::Create();
    owner.m_cTmr->Interval(20);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));

    owner.m_cTmr->Interval(0);
    const int stoppedAt = ticks;
    PumpFor(120);  // the time is the subject: no tick comes in 120 ms
    EXPECT_EQ(ticks, stoppedAt);

    // PulseTimer raises the event at once; a tick with an unknown identifier does nothing.
    owner.m_cTmr->PulseTimer();
    EXPECT_EQ(ticks, stoppedAt + 1);
    MTimer::TimerProc(nullptr, WM_TIMER, 0xDEAD, 0);
    EXPECT_EQ(ticks, stoppedAt + 1);
}

TEST(CTimer, RunningTimerOutlivesItsOwnersReferenceUntilStopped) {
    int ownerTicks = 0;
    int otherTicks = 0;
    std::weak_ptr<CTimer> weak;
    {
        auto owner = std::make_unique<Owner>(ownerTicks);
        owner->m_cTmr = CTimer::Create();
        owner->m_cTmr->Advise(&otherTicks, [&] { ++otherTicks; });
        owner->m_cTmr->Item(std::wstring(L"kept"));
        owner->m_cTmr->Interval(20);
        weak = owner->m_cTmr.get();
        ASSERT_TRUE(PumpUntil([&] { return ownerTicks >= 1; }));
    }  // the owner and its reference are gone; its handler is disconnected
    const int ownerTicksAtRelease = ownerTicks;
    const int otherAtRelease = otherTicks;
    ASSERT_TRUE(PumpUntil([&] { return otherTicks >= otherAtRelease + 3; }));
    EXPECT_EQ(ownerTicks, ownerTicksAtRelease);

    auto timer = weak.lock();
    ASSERT_TRUE(timer);
    EXPECT_EQ(std::any_cast<std::wstring>(timer->Item()), L"kept");
    timer->Interval(0);
    timer.reset();
    EXPECT_TRUE(weak.expired());
}

TEST(CTimer, HandlerMayStopItsOwnUnownedTimer) {
    int ticks = 0;
    std::weak_ptr<CTimer> weak;
    {
        auto timer = CTimer::Create();
        CTimer* raw = timer.get();
        timer->Advise(&ticks, [&ticks, raw] {
            ++ticks;
            raw->Interval(0);  // drops the table's reference, the last one
        });
        timer->Interval(15);
        weak = timer;
    }
    ASSERT_TRUE(PumpUntil([&] { return weak.expired(); }));
    EXPECT_EQ(ticks, 1);
    PumpFor(60);  // the time is the subject: no tick comes in 60 ms
    EXPECT_EQ(ticks, 1);
}

TEST(CTimer, AFullTableRaises13651AndLeavesTheTimerStopped) {
    std::vector<std::shared_ptr<CTimer>> running;
    for (int i = 0; i < MTimer::kSlotCount; ++i) {
        running.push_back(CTimer::Create());
        running.back()->Interval(kLongInterval);
    }
    auto extra = CTimer::Create();
    try {
        extra->Interval(kLongInterval);
        FAIL() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::kObjectError | 13651);
        EXPECT_EQ(e.Source(), rt::AppName() + L".WindowProc");
        EXPECT_EQ(e.Description(), L"No more than 10 timers allowed per class");
    }
    EXPECT_EQ(extra->Interval(), 0);
    EXPECT_EQ(extra->TimerID(), 0u);
    EXPECT_EQ(MTimer::HighestSlot(), MTimer::kSlotCount);

    running.front()->Interval(0);  // a free slot makes the next start work
    extra->Interval(kLongInterval);
    EXPECT_EQ(SlotOf(extra), 1);
    extra->Interval(0);
    for (auto& timer : running) timer->Interval(0);
}
