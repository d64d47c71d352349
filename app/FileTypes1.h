#pragma once

#include "framework/Array.h"
#include "framework/FileType.h"
#include "framework/Object.h"

// The document types Pindrel opens: Kontakt instruments, multis and banks.
namespace pindrel::FileTypes1 {

// The module's properties. They live for the whole process: their storage is never destroyed,
// so nothing they hold is torn down at exit after the runtime's class records have gone.
fw::Ref<fw::FileType>& pNIKontaktInstrument();
fw::Ref<fw::FileType>& pNIKontaktMulti();
fw::Ref<fw::FileType>& pNIKontaktBank();
fw::Ref<fw::Array<fw::FileType>>& pAllFileTypes();

// The initialisers that the initialiser table runs for the properties before the program
// starts. pAllFileTypes becomes an empty list; the three types start out empty (Nil), which
// at process start they already are.
void InitAllFileTypes();
void InitNIKontaktInstrument();
void InitNIKontaktMulti();
void InitNIKontaktBank();

// The three types; Nil until _Initialize has made them.
fw::Ref<fw::FileType> NIKontaktInstrument();
fw::Ref<fw::FileType> NIKontaktMulti();
fw::Ref<fw::FileType> NIKontaktBank();

// Creates the three types and registers them, one after the other; each is complete, listed
// and registered before the next is created. Runs once, at start-up.
void _Initialize();

} // namespace pindrel::FileTypes1
