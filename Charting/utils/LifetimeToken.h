#pragma once

#include <memory>

namespace charting {

// Gives an object a token that expires when the object is destroyed. Whoever refers back to the
// object without owning it keeps the token beside the pointer and trusts the pointer only while
// the token lives. Interfaces inherit it virtually, so that an object answering several of them
// has one token.
class LifetimeToken {
public:
    std::weak_ptr<const void> lifetimeToken() const { return lifetime_; }

protected:
    LifetimeToken() = default;
    LifetimeToken(const LifetimeToken&) {}
    LifetimeToken& operator=(const LifetimeToken&) { return *this; }
    ~LifetimeToken() = default;

private:
    std::shared_ptr<const int> lifetime_ = std::make_shared<const int>(0);
};

// A pointer to an object with a lifetime token, for whoever refers back to it without owning
// it: get() gives the object while it lives and none once it is gone.
template <class T>
class NonOwningPointer {
public:
    NonOwningPointer() = default;
    explicit NonOwningPointer(T* object) { reset(object); }

    void reset(T* object) {
        object_ = object;
        token_ = object ? object->lifetimeToken() : std::weak_ptr<const void>();
    }
    T* get() const { return token_.expired() ? nullptr : object_; }

private:
    T* object_ = nullptr;
    std::weak_ptr<const void> token_;
};

} // namespace charting
