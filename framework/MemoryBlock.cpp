#include "framework/MemoryBlock.h"

#include <algorithm>

#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"

namespace fw {

const ClassRecord& MemoryBlock::Class() {
    static const ClassRecord& record = DefineClass("MemoryBlock", &Object::Class());
    return record;
}

MemoryBlock::MemoryBlock(const String& bytes) : Object(Class()), bytes_(bytes.Bytes()) {}

String MemoryBlock::StringValue(Integer offset, Integer length) const {
    if (offset < 0 || length < 0) {
        throw OutOfBoundsException("A negative offset or length is outside the block.");
    }
    if (offset >= Size()) {
        return String();
    }
    const Integer available = std::min(length, Size() - offset);
    return String(
        bytes_.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(available)));
}

Integer MemoryBlock::Byte(Integer offset) const {
    if (offset < 0 || offset >= Size()) {
        throw OutOfBoundsException("The byte at offset " + std::to_string(offset) +
                                   " is outside a block of " + std::to_string(Size()) + " bytes.");
    }
    return static_cast<unsigned char>(bytes_[static_cast<std::size_t>(offset)]);
}

} // namespace fw
