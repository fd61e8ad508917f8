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

} // namespace charting
