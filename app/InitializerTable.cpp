#include "app/App.h"
#include "app/FileTypes1.h"
#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "app/Version.h"

namespace pindrel {

namespace {

// The application class's module keeps nothing, so its property initialiser has nothing to do.
void InitAppModule() {}

// The program's part of the initialiser table; the runtime runs it after its own, before _Main.
constexpr fw::Initializer kInitializers[] = {
    &App::__ctblinit,
    &InitAppModule,
    &MenuBar1::__ctblinit,
    &global::Init_implicitInstance,
    &FileTypes1::InitAllFileTypes,
    &FileTypes1::InitNIKontaktInstrument,
    &FileTypes1::InitNIKontaktMulti,
    &FileTypes1::InitNIKontaktBank,
};

} // namespace

fw::ProgramDescription Program() {
    return {version::kProductName, kInitializers};
}

} // namespace pindrel
