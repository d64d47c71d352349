#pragma once

#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

// A document type. It reaches the process's file-type registry when it is first converted to
// text or joined with another; changing any of its properties withdraws that registration, so
// the registry never holds values the type no longer has.
class FileType : public Object {
public:
    static const ClassRecord& Class();
    explicit FileType(const ClassRecord& record = Class()) noexcept : Object(record) {}

    const String& Name() const noexcept { return name_; }
    void Name(String name);
    // Bare extensions without the dot, separated by ";" when more than one.
    const String& Extensions() const noexcept { return extensions_; }
    void Extensions(String extensions);
    const String& MacType() const noexcept { return macType_; }
    void MacType(String macType);
    const String& MacCreator() const noexcept { return macCreator_; }
    void MacCreator(String macCreator);
    const String& MimeType() const noexcept { return mimeType_; }
    void MimeType(String mimeType);
    bool Imported() const noexcept { return imported_; }
    void Imported(bool imported);
    const String& ConformsTo() const noexcept { return conformsTo_; }
    void ConformsTo(String conformsTo);
    const String& UTI() const noexcept { return uti_; }

    bool Registered() const noexcept { return registered_; }
    // Hands the type to the registry unless a registration is in force. The type counts as
    // registered only once the registry has taken it without raising.
    void Register();
    // Withdraws a registration in force; does nothing otherwise.
    void Deregister();

    // The type as text: its Name, registered first where it is not.
    String Operator_Convert();
    // "left;right", each operand registered first where it is not, with every ";;" made ";".
    // A nil operand raises NilObjectException.
    static String Operator_Add(const Ref<FileType>& left, const Ref<FileType>& right);
    static String Operator_AddRight(const String& left, const Ref<FileType>& right);

private:
    template <class T> void Assign(T& field, T value);

    String name_;
    String extensions_;
    String macType_;
    String macCreator_;
    String mimeType_;
    bool imported_ = false;
    String conformsTo_;
    String uti_;
    bool registered_ = false;
};

inline String operator+(const Ref<FileType>& left, const Ref<FileType>& right) {
    return FileType::Operator_Add(left, right);
}
inline String operator+(const String& left, const Ref<FileType>& right) {
    return FileType::Operator_AddRight(left, right);
}

} // namespace fw
