#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
#include "framework/Object.h"

namespace fw {

// The runtime's record for every one-dimensional list, whatever it holds.
inline const ClassRecord& ArrayClass() {
    static const ClassRecord& record = DefineClass("Array", &Object::Class());
    return record;
}

// A one-dimensional list of object references, indexed from 0 to UBound.
template <class T> class Array : public Object {
public:
    explicit Array(std::size_t count = 0) : Object(ArrayClass()), items_(count) {}

    // The last index; -1 when the list is empty.
    Integer UBound() const noexcept { return static_cast<Integer>(items_.size()) - 1; }
    // Places the reference after the last entry.
    void Append(Ref<T> item) { items_.push_back(std::move(item)); }

    const Ref<T>& operator()(Integer index) const { return items_.at(Checked(index)); }
    Ref<T>& operator()(Integer index) { return items_.at(Checked(index)); }

private:
    std::size_t Checked(Integer index) const {
        if (index < 0 || index > UBound()) {
            throw OutOfBoundsException("There is no entry at index " + std::to_string(index) + ".");
        }
        return static_cast<std::size_t>(index);
    }

    std::vector<Ref<T>> items_;
};

// A new list with entries 0 to `upperBound`, each nil; -1 makes it empty.
template <class T> Ref<Array<T>> CreateArray(Integer upperBound = -1) {
    if (upperBound < -1) {
        throw OutOfBoundsException("An upper bound below -1 makes no list.");
    }
    return New<Array<T>>(static_cast<std::size_t>(upperBound + 1));
}

} // namespace fw
