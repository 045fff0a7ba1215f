#pragma once
// Turning a stored plain address back into an object for the length of one call.
//
// The frame's services (the subclass dispatcher, the thread hooks, the non-client engine's
// painter lookup) keep only plain addresses of their clients: they never own them. A client
// may still be released by its owner while one of its own calls is running (a menu command
// handled inside the client replaces the skin, say). To make that safe, client objects live in
// a std::shared_ptr (create them with std::make_shared) and derive, through their interface,
// from std::enable_shared_from_this; ObjectFromPtr then hands out a counted reference that
// keeps the object alive until the caller lets go of it.
//
// - An object owned by a shared_ptr: a real counted reference.
// - An object that no shared_ptr has ever owned (a stack or member object): a non-owning
//   pointer; its owner is responsible for it outliving every call it receives.
// - An object whose last reference is already gone (its destructor is running): nothing, so a
//   service never calls into an object that is being destroyed.
#include <memory>

namespace frame_detail {

// True when the weak reference was ever bound to an owner (it has a control block).
template <class T>
bool HasOwner(const std::weak_ptr<T>& weak) {
    const std::weak_ptr<T> none;
    return weak.owner_before(none) || none.owner_before(weak);
}

}  // namespace frame_detail

// A counted reference to the object at the address; an empty pointer for a null address or
// for an object that is being destroyed.
template <class T>
std::shared_ptr<T> ObjectFromPtr(T* address) {
    if (!address) return {};
    auto weak = address->weak_from_this();
    if (auto strong = weak.lock()) return std::shared_ptr<T>(strong, address);
    if (!frame_detail::HasOwner(weak)) return std::shared_ptr<T>(std::shared_ptr<T>(), address);
    return {};
}
