#include "framework/FileType.h"

#include "framework/ClassRecord.h"
#include "framework/FileTypeRegistry.h"

namespace fw {

namespace {

String Joined(const String& left, const String& right) {
    return ReplaceAll(left + ";" + right, ";;", ";");
}

} // namespace

const ClassRecord& FileType::Class() {
    static const ClassRecord& record = []() -> const ClassRecord& {
        ClassRecord& created = DefineClass("FileType", &Object::Class());
        created.allocate = &Allocate<FileType>;
        return created;
    }();
    return record;
}

template <class T> void FileType::Assign(T& field, T value) {
    Deregister();
    field = std::move(value);
}

void FileType::Name(String name) {
    Assign(name_, std::move(name));
}
void FileType::Extensions(String extensions) {
    Assign(extensions_, std::move(extensions));
}
void FileType::MacType(String macType) {
    Assign(macType_, std::move(macType));
}
void FileType::MacCreator(String macCreator) {
    Assign(macCreator_, std::move(macCreator));
}
void FileType::MimeType(String mimeType) {
    Assign(mimeType_, std::move(mimeType));
}
void FileType::Imported(bool imported) {
    Assign(imported_, imported);
}
void FileType::ConformsTo(String conformsTo) {
    Assign(conformsTo_, std::move(conformsTo));
}

void FileType::Register() {
    if (registered_) {
        return;
    }
    RuntimeRegisterFileType(name_, macCreator_, macType_, extensions_, uti_);
    registered_ = true;
}

void FileType::Deregister() {
    if (!registered_) {
        return;
    }
    // Still under the name it was registered with: the setters withdraw before they store.
    RuntimeDeregisterFileType(name_);
    registered_ = false;
}

String FileType::Operator_Convert() {
    Register();
    return name_;
}

String FileType::Operator_Add(const Ref<FileType>& left, const Ref<FileType>& right) {
    const String leftText = left->Operator_Convert();
    return Joined(leftText, right->Operator_Convert());
}

String FileType::Operator_AddRight(const String& left, const Ref<FileType>& right) {
    return Joined(left, right->Operator_Convert());
}

} // namespace fw
