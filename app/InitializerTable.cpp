#include "app/App.h"
#include "app/FileTypes1.h"
#include "app/MenuBar1.h"
#include "framework/Runtime.h"

namespace pindrel {

namespace {

// The application class's module keeps nothing, so its property initialiser has nothing to do.
void InitAppModule() {}

} // namespace

} // namespace pindrel

// The program's part of the initialiser table; the runtime runs it after its own, before _Main.
std::span<const fw::Initializer> fw::ProgramInitializerTable() {
    static constexpr fw::Initializer table[] = {
        &pindrel::App::__ctblinit,
        &pindrel::InitAppModule,
        &pindrel::MenuBar1::__ctblinit,
        &pindrel::global::Init_implicitInstance,
        &pindrel::FileTypes1::InitAllFileTypes,
        &pindrel::FileTypes1::InitNIKontaktInstrument,
        &pindrel::FileTypes1::InitNIKontaktMulti,
        &pindrel::FileTypes1::InitNIKontaktBank,
    };
    return table;
}
