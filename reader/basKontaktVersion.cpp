#include "reader/basKontaktVersion.h"

#include <cstdint>
#include <initializer_list>

#include "framework/BackgroundTask.h"
#include "framework/BinaryStream.h"

namespace basKontaktVersion {

using fw::Integer;
using fw::MemoryBlock;
using fw::Ref;
using fw::String;

namespace {

constexpr Integer kHeaderWindow = 256;
constexpr Integer kTailWindow = 512;

bool IsOneOf(const String& text, std::initializer_list<const char*> tags) {
    for (const char* tag : tags) {
        if (text.Compare(tag) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

String GetExt(const String& name) {
    return fw::Lowercase(fw::Right(name, 4));
}

String GetVerStr(const Ref<fw::FolderItem>& file, const Ref<MemoryBlock>& block, Integer start,
                 bool ascending) {
    String text = file->Name() + " is Kontakt Version ";
    for (Integer k = 0; k < 4; ++k) {
        const Integer position = ascending ? start + k : start + 3 - k;
        text = text + fw::Str(block->Byte(position));
        if (k < 3) {
            text = text + ".";
        }
    }
    return text;
}

bool GetVerK56(const Ref<fw::FolderItem>& file, const Ref<MemoryBlock>& block,
               String& versionText) {
    // A tag counts only where at least one more byte of the block follows it.
    for (Integer position = 0; position <= block->Size() - 5; ++position) {
        const String window = block->StringValue(position, 4);
        if (IsOneOf(window, {"5noK", "6noK"})) {
            versionText = GetVerStr(file, block, position - 4, false);
            return true;
        }
        fw::RuntimeBackgroundTask();
    }
    return false;
}

Integer ShowKontaktVersion(const Ref<fw::FolderItem>& file, String& versionText) {
    Integer result = kVersionNotDetermined;
    if (!file || !file->Exists()) {
        return result;
    }
    if (!IsOneOf(GetExt(file->Name()), {".nki", ".nkm", ".nkb"})) {
        return result;
    }
    const std::uint64_t length = file->Length();

    Ref<fw::BinaryStream> stream = fw::BinaryStream::Open(file, false);
    Ref<MemoryBlock> block = fw::New<MemoryBlock>(stream->Read(kHeaderWindow));

    bool tailRoad = false;
    if (block->StringValue(12, 4).Compare("hsin") == 0) {
        tailRoad = true;
    } else if (const String tag = block->StringValue(20, 4);
               IsOneOf(tag, {"Kon2", "Kon3", "Kon4"})) {
        versionText = GetVerStr(file, block, 16, true);
        result = kVersionFound;
    } else if (IsOneOf(tag, {"2noK", "3noK", "4noK"})) {
        versionText = GetVerStr(file, block, 16, false);
        result = kVersionFound;
    } else if (block->StringValue(0, 16).Compare("/\\ NI FC MTD  /\\") == 0) {
        tailRoad = true;
    }

    if (tailRoad) {
        // Unsigned on purpose: a file shorter than the window puts the position past its end,
        // where the read delivers nothing and the scan finds nothing.
        stream->BytePosition(length - static_cast<std::uint64_t>(kTailWindow));
        block = fw::New<MemoryBlock>(stream->Read(kTailWindow));
        if (GetVerK56(file, block, versionText)) {
            result = kVersionFound;
        }
    }

    stream->Close();
    return result;
}

} // namespace basKontaktVersion
