#pragma once

// The texts a class record gives for an operation's types, made from the operation's C++ type.
//
// Each framework type has a code and a name:
//
//   C++ type          code      name
//   void (no result)  ""        -
//   bool              "b"       "Boolean"
//   Integer           "i8"      "Integer"
//   String            "s"       "String"
//   void*             "p"       "Ptr"
//   std::any          "v"       "Variant"
//   Ref<T>            "o<T>"    "T"        (T: the record name of the class)
//
// An operation's signature text is its result's code between the first two "%", then the codes
// of its parameters with nothing between them: "%b%s" for bool(const String&), "%%i8o<MenuItem>"
// for void(Integer, const Ref<MenuItem>&). Its parameter text is their names joined by ", ":
// "Integer, MenuItem". A leading `Object&` is the receiver, not a parameter.
//
// `Ref<Object>` stands for an object of a class that has no C++ type in the framework (a window,
// a tray item); whoever asks for the texts names that class.

#include <any>
#include <cstddef>
#include <stdexcept>
#include <string_view>
#include <type_traits>

#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

// The name of T's class record; a class that signatures name states it as `kRecordName`.
template <class T> inline constexpr std::string_view kRecordName = T::kRecordName;

// A framework type's code and name, as the table above gives them.
struct TypeCode {
    std::string_view code;
    std::string_view name;
};

template <class T> inline constexpr bool kHasNoCode = false;
// A type without a code cannot be listed in a record: a table with a row of it does not compile.
template <class T>
inline constexpr TypeCode kTypeCode = [] {
    static_assert(kHasNoCode<T>, "A class record has no code for this type.");
    return TypeCode{};
}();
template <> inline constexpr TypeCode kTypeCode<void>{"", ""};
template <> inline constexpr TypeCode kTypeCode<bool>{"b", "Boolean"};
template <> inline constexpr TypeCode kTypeCode<Integer>{"i8", "Integer"};
template <> inline constexpr TypeCode kTypeCode<String>{"s", "String"};
template <> inline constexpr TypeCode kTypeCode<void*>{"p", "Ptr"};
template <> inline constexpr TypeCode kTypeCode<std::any>{"v", "Variant"};

// A text made at compile time, short enough for any operation's types.
class CodeText {
public:
    constexpr CodeText& operator+=(std::string_view part) {
        if (part.size() > sizeof chars_ - size_) {
            throw std::length_error("An operation's types make too long a text.");
        }
        for (const char c : part) {
            chars_[size_++] = c;
        }
        return *this;
    }
    constexpr std::string_view View() const noexcept { return {chars_, size_}; }
    constexpr bool operator==(std::string_view text) const noexcept { return View() == text; }

private:
    char chars_[96] = {};
    std::size_t size_ = 0;
};

namespace type_code {

// The class an object of type T stands for, by its record name.
template <class T> constexpr std::string_view ClassName(std::string_view objectClass) {
    if constexpr (std::is_same_v<T, Object>) {
        if (objectClass.empty()) {
            throw std::logic_error(
                "An object of no framework class needs the class it stands for.");
        }
        return objectClass;
    } else {
        return kRecordName<T>;
    }
}

template <class T> struct Of {
    static constexpr void Code(CodeText& text, std::string_view) { text += kTypeCode<T>.code; }
    static constexpr void Name(CodeText& text, std::string_view) { text += kTypeCode<T>.name; }
};
template <class T> struct Of<Ref<T>> {
    static constexpr void Code(CodeText& text, std::string_view objectClass) {
        text += "o<";
        text += ClassName<T>(objectClass);
        text += ">";
    }
    static constexpr void Name(CodeText& text, std::string_view objectClass) {
        text += ClassName<T>(objectClass);
    }
};
template <class T> using Plain = Of<std::remove_cvref_t<T>>;

template <class Sig> struct Operands;
template <class R, class... Args> struct Operands<R(Args...)> {
    static constexpr CodeText Signature([[maybe_unused]] std::string_view objectClass) {
        CodeText text;
        text += "%";
        Plain<R>::Code(text, objectClass);
        text += "%";
        (Plain<Args>::Code(text, objectClass), ...);
        return text;
    }
    static constexpr CodeText Parameters([[maybe_unused]] std::string_view objectClass) {
        CodeText text;
        [[maybe_unused]] std::string_view separator;
        ((text += separator, Plain<Args>::Name(text, objectClass), separator = ", "), ...);
        return text;
    }
};
// The receiver has no code.
template <class R, class... Args> struct Operands<R(Object&, Args...)> : Operands<R(Args...)> {};

} // namespace type_code

// The signature text and the parameter text of an operation of type `Sig`; `objectClass` names
// the class that a `Ref<Object>` in it stands for.
template <class Sig> constexpr CodeText SignatureText(std::string_view objectClass = {}) {
    return type_code::Operands<Sig>::Signature(objectClass);
}
template <class Sig> constexpr CodeText ParameterText(std::string_view objectClass = {}) {
    return type_code::Operands<Sig>::Parameters(objectClass);
}

} // namespace fw
