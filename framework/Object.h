#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace fw {

using Integer = std::int64_t;

struct ClassRecord;

// Base of every framework object: reference-counted, and known to the runtime through its class
// record. An object is destroyed when its last reference goes; the exit hooks of its class and of
// every base class run first, so fields holding other objects are released in a defined order.
class Object {
public:
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    static const ClassRecord& Class();
    const ClassRecord& Record() const noexcept { return *record_; }

    void Retain() noexcept { ++references_; }
    void Release() noexcept;
    long ReferenceCount() const noexcept { return references_; }

protected:
    explicit Object(const ClassRecord& record = Class()) noexcept : record_(&record) {}

private:
    const ClassRecord* record_;
    long references_ = 0;
};

[[noreturn]] void RaiseNilObject();

// A counted reference. Reaching a member through a nil reference raises NilObjectException,
// which is how every "test for Nil before the call" of the framework's model is kept.
template <class T> class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    explicit Ref(T* object) noexcept : object_(object) { Retain(); }
    Ref(const Ref& other) noexcept : object_(other.object_) { Retain(); }
    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U>
    requires std::is_convertible_v<U*, T*> Ref(const Ref<U>& other)
    noexcept : object_(other.Get()) { Retain(); }
    ~Ref() { Drop(); }

    Ref& operator=(Ref other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }

    T* operator->() const {
        if (object_ == nullptr) {
            RaiseNilObject();
        }
        return object_;
    }
    T& operator*() const { return *operator->(); }

    T* Get() const noexcept { return object_; }
    bool IsNil() const noexcept { return object_ == nullptr; }
    explicit operator bool() const noexcept { return object_ != nullptr; }
    void Reset() noexcept { Ref().swap(*this); }
    void swap(Ref& other) noexcept { std::swap(object_, other.object_); }

    friend bool operator==(const Ref& a, const Ref& b) noexcept { return a.object_ == b.object_; }
    friend bool operator==(const Ref& a, std::nullptr_t) noexcept { return a.object_ == nullptr; }

private:
    void Retain() noexcept {
        if (object_ != nullptr) {
            object_->Retain();
        }
    }
    void Drop() noexcept {
        if (object_ != nullptr) {
            std::exchange(object_, nullptr)->Release();
        }
    }

    T* object_ = nullptr;
};

template <class T, class... Args> Ref<T> New(Args&&... args) {
    return Ref<T>(new T(std::forward<Args>(args)...));
}

} // namespace fw
