#include "frame/MTimer.h"

#include <array>
#include <memory>

#include "frame/CTimer.h"
#include "runtime/core/RuntimeError.h"

namespace MTimer {
namespace {

// Slot 0 is unused so that slot numbers run 1 to 100.
std::array<std::shared_ptr<CTimer>, kSlotCount + 1> g_slots;
short g_highestSlot = 0;

}  // namespace

bool TimerCreate(CTimer& tmr) {
    const UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(tmr.Interval()), &TimerProc);
    tmr.TimerID(id);
    if (id == 0) {
        tmr.TimerID(0);
        tmr.Interval(0);
        return false;
    }
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (g_slots[slot]) continue;
        g_slots[slot] = tmr.shared_from_this();
        if (slot > g_highestSlot) g_highestSlot = static_cast<short>(slot);
        return true;
    }
    // No slot could ever find this system timer again, so it is not left running: the timer
    // is stopped before the error goes to the caller.
    KillTimer(nullptr, id);
    tmr.TimerID(0);
    tmr.Interval(0);
    CTimer::ErrRaise(CTimer::kErrNoFreeSlot);
}

bool TimerDelete(CTimer& tmr) {
    for (int slot = 1; slot <= g_highestSlot; ++slot) {
        if (!g_slots[slot] || g_slots[slot]->TimerID() != tmr.TimerID()) continue;
        KillTimer(nullptr, tmr.TimerID());
        // Released last: the slot may hold the timer's last reference.
        std::shared_ptr<CTimer> released = std::move(g_slots[slot]);
        return true;
    }
    return false;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR idEvent, DWORD) {
    rt::GuardCallback([&] {
        for (int slot = 1; slot <= g_highestSlot; ++slot) {
            if (!g_slots[slot] || g_slots[slot]->TimerID() != idEvent) continue;
            // Held for the pulse: the handler may stop this timer and free its slot.
            const std::shared_ptr<CTimer> timer = g_slots[slot];
            timer->PulseTimer();
            return;
        }
    });
}

CTimer* SlotTimer(int slot) {
    if (slot < 1 || slot > kSlotCount) return nullptr;
    return g_slots[slot].get();
}

int HighestSlot() { return g_highestSlot; }

}  // namespace MTimer
