#pragma once

#include "framework/FolderItem.h"
#include "framework/MemoryBlock.h"
#include "framework/Object.h"
#include "framework/String.h"

// Reads the Kontakt version that an instrument (.nki), multi (.nkm) or bank (.nkb) file records.
namespace basKontaktVersion {

// What ShowKontaktVersion answers; callers compare with these, never with the bare numbers.
// The version was found: `versionText` then holds "<name> is Kontakt Version a.b.c.d".
inline constexpr fw::Integer kVersionFound = 2;
// It was not (no file, a missing file, another extension, no known tag), and `versionText`
// keeps what it held.
inline constexpr fw::Integer kVersionNotDetermined = 1;

// Errors of opening or reading the file leave as exceptions, with no result.
fw::Integer ShowKontaktVersion(const fw::Ref<fw::FolderItem>& file, fw::String& versionText);

// The last four characters of a file name, lower-cased.
fw::String GetExt(const fw::String& name);

// The version text from the four bytes at `start`: read upwards when `ascending`, else downwards.
fw::String GetVerStr(const fw::Ref<fw::FolderItem>& file, const fw::Ref<fw::MemoryBlock>& block,
                     fw::Integer start, bool ascending);

// Looks through a file's last bytes for a Kontakt 5 or 6 tag; on the first one it stores the
// version text and answers true.
bool GetVerK56(const fw::Ref<fw::FolderItem>& file, const fw::Ref<fw::MemoryBlock>& block,
               fw::String& versionText);

} // namespace basKontaktVersion
