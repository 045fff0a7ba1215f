#pragma once
// MTimer: the table of running CTimer objects behind the shared system-timer callback.
// 100 slots, numbered 1 to 100; a running timer sits in one of them (the table keeps it
// alive), and TimerProc finds the timer of a tick by its system timer identifier.
#include <windows.h>

class CTimer;

namespace MTimer {

constexpr int kSlotCount = 100;

// Creates the system timer for the timer's interval and stores the timer in the first empty
// slot. False (and the timer stopped) when no system timer could be made; raises 13651 when
// every slot is taken.
bool TimerCreate(CTimer& tmr);

// Kills the system timer of the slot holding tmr's identifier and empties that slot; false
// when no slot holds it.
bool TimerDelete(CTimer& tmr);

// The shared system-timer callback: pulses the timer that owns idEvent.
void CALLBACK TimerProc(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);

// The timer in a slot (1..100), nullptr when the slot is empty.
CTimer* SlotTimer(int slot);
// The highest slot number ever used; never lowered.
int HighestSlot();

}  // namespace MTimer
