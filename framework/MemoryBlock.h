#pragma once

#include <string>

#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

// A block of bytes. Nothing outside the block is ever read: a text asked for beyond its end
// holds only the bytes inside, and a single byte outside it raises OutOfBoundsException.
class MemoryBlock : public Object {
public:
    static const ClassRecord& Class();
    explicit MemoryBlock(const String& bytes);

    Integer Size() const noexcept { return static_cast<Integer>(bytes_.size()); }
    // The bytes from `offset` on, at most `length` of them, as raw text.
    String StringValue(Integer offset, Integer length) const;
    // The byte at `offset`, 0 to 255.
    Integer Byte(Integer offset) const;

private:
    std::string bytes_;
};

} // namespace fw
