#pragma once
// CTimer: a periodic event without a window. While Interval is 1 or more, ThatTime is raised
// every Interval milliseconds from a system timer (SetTimer without a window, one shared
// callback in MTimer). A running timer is held alive by the timer table, so an owner that
// drops its reference does not stop it; setting Interval to 0 (or less) stops it and frees
// its slot.
//
// Timers are always shared-owned (the table keeps a reference while one runs): make them with
// CTimer::Create(). An owner receives ThatTime through a CTimerField (below), the
// event-receiving field that disconnects the owner's handler when the owner goes away.
#include <windows.h>

#include <any>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class CTimer : public std::enable_shared_from_this<CTimer> {
public:
    using Handler = std::function<void()>;

    // Error codes raised by Interval (as object errors, source "<exe>.WindowProc").
    static constexpr long kErrNoFreeSlot = 13651;   // "No more than 10 timers allowed per class"
    static constexpr long kErrNoSystemTimer = 13652; // "Can't create system timer"

    // A new, stopped timer: interval 0, no system timer.
    static std::shared_ptr<CTimer> Create();
    ~CTimer();
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    // Gets/sets a piece of additional data to store with the timer.
    const std::any& Item() const { return m_item; }
    void Item(std::any value) { m_item = std::move(value); }

    // Gets/sets the interval at which the timer fires. Set to zero to stop the timer.
    // Setting the interval it already has leaves the running timer alone. Raises 13652 when
    // no system timer can be made (the timer is then stopped) and 13651 when the timer table
    // is full.
    long Interval() const { return m_interval; }
    void Interval(long iIntervalA);

    // Raises ThatTime at once.
    void PulseTimer();

    // Event ThatTime (raised when the timer fires): every connected handler is called, in
    // connection order. A sink is any address that identifies the receiver; connecting the
    // same sink again replaces its handler.
    void Advise(const void* sink, Handler handler);
    void Unadvise(const void* sink);

    // For the timer service: the system timer identifier, 0 when none.
    UINT_PTR TimerID() const { return m_timerId; }
    void TimerID(UINT_PTR id) { m_timerId = id; }
    // For the timer service: raises a timer error (numbered as in frame/FrameError.h).
    [[noreturn]] static void ErrRaise(long e);

private:
    CTimer() = default;

    std::any m_item;
    long m_interval = 0;
    UINT_PTR m_timerId = 0;
    std::vector<std::pair<const void*, Handler>> m_sinks;
};

// The owner's field for a timer whose ThatTime it handles: the handler given at construction
// is connected to whatever timer the field holds, and disconnected when the field lets the
// timer go (another timer, reset, or the owner's destruction). A timer left running keeps
// running after its owner has gone, but never calls into the destroyed owner.
//
//     CTimerField m_cTmr{[this] { m_cTmr_ThatTime(); }};
//     if (!m_cTmr) m_cTmr = CTimer::Create();
//     m_cTmr->Interval(50);
class CTimerField {
public:
    explicit CTimerField(CTimer::Handler onThatTime) : m_handler(std::move(onThatTime)) {}
    ~CTimerField() { reset(); }
    CTimerField(const CTimerField&) = delete;
    CTimerField& operator=(const CTimerField&) = delete;

    CTimerField& operator=(std::shared_ptr<CTimer> timer);
    void reset();

    CTimer* operator->() const { return m_timer.get(); }
    CTimer& operator*() const { return *m_timer; }
    explicit operator bool() const { return m_timer != nullptr; }
    const std::shared_ptr<CTimer>& get() const { return m_timer; }

private:
    CTimer::Handler m_handler;
    std::shared_ptr<CTimer> m_timer;
};
