#include "app/FileTypes1.h"

namespace pindrel::FileTypes1 {

namespace {

struct Properties {
    fw::Ref<fw::FileType> instrument;
    fw::Ref<fw::FileType> multi;
    fw::Ref<fw::FileType> bank;
    fw::Ref<fw::Array<fw::FileType>> all;
};

Properties& Module() {
    static Properties* properties = new Properties();
    return *properties;
}

struct DocumentType {
    fw::Ref<fw::FileType>& (*property)();
    fw::Ref<fw::FileType> (*accessor)();
    const char* name;
    const char* extensions;
    const char* macType;
};

const DocumentType kDocumentTypes[] = {
    {&pNIKontaktInstrument, &NIKontaktInstrument, "NI Kontakt Instrument", "nki", "tNKI"},
    {&pNIKontaktMulti, &NIKontaktMulti, "NI Kontakt Multi", "nkm", "tNKM"},
    {&pNIKontaktBank, &NIKontaktBank, "NI Kontakt Bank", "nkb", "tNKB"},
};

void Create(const DocumentType& row) {
    fw::Ref<fw::FileType>& property = row.property();
    property = fw::New<fw::FileType>();
    property->Name(row.name);
    property->Extensions(row.extensions);
    property->MacType(row.macType);
    property->MacCreator("????");
    property->MimeType("");
    property->Imported(true);
    property->ConformsTo("");
    pAllFileTypes()->Append(property);
    // Converting the type to text registers it, now that it holds its final values.
    row.accessor()->Operator_Convert();
}

} // namespace

fw::Ref<fw::FileType>& pNIKontaktInstrument() {
    return Module().instrument;
}
fw::Ref<fw::FileType>& pNIKontaktMulti() {
    return Module().multi;
}
fw::Ref<fw::FileType>& pNIKontaktBank() {
    return Module().bank;
}
fw::Ref<fw::Array<fw::FileType>>& pAllFileTypes() {
    return Module().all;
}

void InitAllFileTypes() {
    pAllFileTypes() = fw::CreateArray<fw::FileType>(-1);
}
void InitNIKontaktInstrument() {
    pNIKontaktInstrument() = nullptr;
}
void InitNIKontaktMulti() {
    pNIKontaktMulti() = nullptr;
}
void InitNIKontaktBank() {
    pNIKontaktBank() = nullptr;
}

fw::Ref<fw::FileType> NIKontaktInstrument() {
    return pNIKontaktInstrument();
}
fw::Ref<fw::FileType> NIKontaktMulti() {
    return pNIKontaktMulti();
}
fw::Ref<fw::FileType> NIKontaktBank() {
    return pNIKontaktBank();
}

void _Initialize() {
    for (const DocumentType& row : kDocumentTypes) {
        Create(row);
    }
}

} // namespace pindrel::FileTypes1
