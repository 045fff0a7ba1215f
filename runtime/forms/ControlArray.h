#pragma once
// An indexed group of controls of one kind with one set of handlers that receive the index
// (Option1(i), FieldBoxes(i)). Elements are made by the definition with Add(i) and placed
// like single controls; handlers are wired once for the whole group with On():
//
//     for (int i = 0; i < 10; ++i)
//         Place(Option1.Add(i), L"Option1", 240, 480 + 390 * i, 1425, 345).Caption(kNames[i]);
//     Option1.On(&rt::OptionButton::Click, [this](int Index) { Option1_Click(Index); });
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "runtime/core/RuntimeError.h"

namespace rt {

template <class T>
class ControlArray {
public:
    ControlArray() = default;
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    // A new element with this index (the definition's "Load"); the group's handlers are
    // wired to it at once. An index in use raises error 360 (object already loaded).
    T& Add(int index) {
        if (m_items.count(index)) Raise(err::kObjectAlreadyLoaded);
        auto& item = m_items[index];
        item = std::make_unique<T>();
        item->m_index = index;
        for (auto& wire : m_wiring) wire(*item);
        return *item;
    }

    // The element with this index; error 340 when there is none.
    T& operator()(int index) const {
        auto found = m_items.find(index);
        if (found == m_items.end()) Raise(err::kNoSuchControlArrayElement);
        return *found->second;
    }
    bool Exists(int index) const { return m_items.count(index) != 0; }
    int Count() const { return static_cast<int>(m_items.size()); }
    int LBound() const { return m_items.empty() ? 0 : m_items.begin()->first; }
    int UBound() const { return m_items.empty() ? -1 : m_items.rbegin()->first; }

    // Wires one event of every element (present and future) to a handler that receives the
    // element's index first, then the event's own arguments.
    template <class... Args, class Handler>
    void On(std::function<void(Args...)> T::*event, Handler handler) {
        auto wire = [event, handler](T& item) {
            const int index = item.Index();
            item.*event = [handler, index](Args... args) { handler(index, args...); };
        };
        for (auto& [index, item] : m_items) wire(*item);
        m_wiring.push_back(wire);
    }

    // Iteration in index order.
    template <class F>
    void ForEach(F f) const {
        for (auto& [index, item] : m_items) f(*item);
    }

private:

    std::map<int, std::unique_ptr<T>> m_items;
    std::vector<std::function<void(T&)>> m_wiring;
};

}  // namespace rt
