#pragma once
// Reference-counted image data shared between graphics until one of them changes it.

#include <cstdint>

class TSharedImage {
public:
    virtual ~TSharedImage() = default;
    std::int32_t RefCount() const { return refCount_; }
    void Reference() { ++refCount_; }
    // Drops one reference; the object destroys itself when the last one goes.
    void Release() {
        if (--refCount_ == 0) delete this;
    }

private:
    std::int32_t refCount_ = 0;
};
