// Every class record the program defines, written out field by field and compared with the dump
// committed beside this test: a change to how records are built must leave them as they were.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "framework/Application.h"
#include "framework/Array.h"
#include "framework/BinaryStream.h"
#include "framework/ClassRecord.h"
#include "framework/Delegate.h"
#include "framework/FileType.h"
#include "framework/FolderItem.h"
#include "framework/MemoryBlock.h"
#include "framework/MenuBar.h"
#include "framework/MenuItem.h"
#include "framework/Mutex.h"
#include "framework/OpenDialog.h"
#include "framework/QuitMenuItem.h"

namespace {

using fw::ClassRecord;

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

void DumpAttributes(std::ostream& out, const fw::AttributeTable& attributes) {
    for (const auto& attribute : attributes) {
        out << "\n      attribute " << attribute.name << " = " << attribute.value;
    }
}

// The name of the method whose function is `function`, which is how an interface names its
// operations without an address.
std::string MethodNamed(const ClassRecord& record, const fw::SlotBase* function) {
    for (const auto& method : record.methods) {
        if (method.function == function) {
            return method.name + method.signature;
        }
    }
    return "(not a method of the record)";
}

void Dump(std::ostream& out, const ClassRecord& record) {
    out << "class " << record.name << "\n";
    out << "  base " << (record.base != nullptr ? record.base->name : "(none)") << "\n";
    out << "  instance size " << record.instanceSize << "\n";
    out << "  init hook " << YesNo(record.initHook != nullptr) << ", exit hook "
        << YesNo(record.exitHook != nullptr) << ", allocator " << YesNo(record.allocate != nullptr)
        << "\n";
    for (std::size_t i = 0; i < record.vtable.size(); ++i) {
        const auto& operation = record.vtable[i];
        out << "  vtable " << i << " " << operation.name << "(" << operation.parameters
            << ") declared by " << operation.declaredBy << ", bound "
            << YesNo(operation.slot->Bound(record)) << "\n";
    }
    for (const auto& method : record.methods) {
        out << "  method " << method.name << " " << method.signature;
        if (method.slot) {
            const bool same = *method.slot < record.vtable.size() &&
                              record.vtable[*method.slot].slot == method.function;
            out << ", slot " << *method.slot << (same ? "" : " (another slot's function)");
        }
        out << (method.isPublic ? ", public" : ", private") << (method.shared ? ", shared" : "")
            << ", bound " << YesNo(method.function != nullptr && method.function->Bound(record));
        DumpAttributes(out, method.attributes);
        out << "\n";
    }
    for (const auto& event : record.events) {
        out << "  event " << event.name << ", "
            << (event.handler == nullptr ? "never raised" : (event.Bound() ? "bound" : "unbound"))
            << (event.owner == &record ? "" : " (listed by another record)") << "\n";
    }
    for (const auto& property : record.properties) {
        out << "  property " << property.name << " " << property.type << ", stored "
            << YesNo(property.stored) << (property.isPublic ? ", public" : ", private")
            << ", assignable " << YesNo(property.assignable) << ", reader "
            << YesNo(property.read != nullptr) << ", writer " << YesNo(property.write != nullptr);
        DumpAttributes(out, property.attributes);
        out << "\n";
    }
    for (const auto& entry : record.interfaces) {
        out << "  interface " << entry.interface->name << "\n";
        for (const fw::SlotBase* operation : entry.operations) {
            out << "    operation " << MethodNamed(record, operation) << "\n";
        }
    }
}

// A record after its bases, and the interfaces it implements after it, each once.
void Collect(const ClassRecord& record, std::vector<const ClassRecord*>& records) {
    if (std::find(records.begin(), records.end(), &record) != records.end()) {
        return;
    }
    if (record.base != nullptr) {
        Collect(*record.base, records);
    }
    records.push_back(&record);
    for (const auto& entry : record.interfaces) {
        Collect(*entry.interface, records);
    }
}

std::string DumpAll() {
    std::vector<const ClassRecord*> records;
    for (const ClassRecord* record : {
             &fw::Object::Class(),
             &fw::ArrayClass(),
             &fw::BinaryStream::Class(),
             &fw::DelegateObject::Class(),
             &fw::FileType::Class(),
             &fw::FolderItem::Class(),
             &fw::MemoryBlock::Class(),
             &fw::Mutex::Class(),
             &fw::OpenDialog::Class(),
             &fw::Application::Class(),
             &fw::MenuItem::Class(),
             &fw::MenuBar::Class(),
             &fw::QuitMenuItem::Class(),
             &pindrel::App::__Lookup(),
             &pindrel::MenuBar1::__Lookup(),
         }) {
        Collect(*record, records);
    }
    std::ostringstream out;
    for (const ClassRecord* record : records) {
        Dump(out, *record);
    }
    return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(ClassRecordDump, EveryRecordIsWhatTheCommittedDumpSays) {
    const std::string golden = PINDREL_CLASS_RECORDS;
    std::ifstream in(golden, std::ios::binary);
    ASSERT_TRUE(in) << "cannot read " << golden;
    const std::string expected{std::istreambuf_iterator<char>(in), {}};
    const std::string actual = DumpAll();
    if (actual == expected) {
        return;
    }

    // The whole dump goes beside the test binary, for a diff; the message shows the first lines
    // that differ.
    const std::string written = std::filesystem::absolute("ClassRecords.actual.txt").string();
    std::ofstream(written, std::ios::binary) << actual;
    const auto want = Lines(expected);
    const auto got = Lines(actual);
    std::ostringstream message;
    int shown = 0;
    for (std::size_t i = 0; i < std::max(want.size(), got.size()) && shown < 10; ++i) {
        const std::string* wanted = i < want.size() ? &want[i] : nullptr;
        const std::string* found = i < got.size() ? &got[i] : nullptr;
        if (wanted == nullptr || found == nullptr || *wanted != *found) {
            message << "line " << i + 1 << ":\n  - " << (wanted ? *wanted : "(end)") << "\n  + "
                    << (found ? *found : "(end)") << "\n";
            ++shown;
        }
    }
    ADD_FAILURE() << "The class records differ from " << golden << " (- committed, + built):\n"
                  << message.str() << "The whole dump is in " << written
                  << "; copy it over the committed one only for a change meant to alter a record.";
}

} // namespace
