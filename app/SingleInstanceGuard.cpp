#include "app/App.h"
#include "framework/MessageDialog.h"

namespace pindrel {

namespace {

const fw::String kMutexName = "Pindrel85Mutex";
const fw::String kAlreadyRunning =
    " is already running. If you cannot see the app, please kill the process within Task "
    "Manager, as it is running in the background.";

} // namespace

// Every start takes the named lock, or, when another copy holds it, says so and quits. Automatic
// quitting stays on, so the copy that holds the lock ends once its report is dismissed and the
// next start finds the lock free.
void App::Event_Open() {
    AllowAutoQuit(true);

    fw::Ref<fw::Mutex> mutex = fw::New<fw::Mutex>();
    mutex->Constructor(kMutexName);
    MyMutex = mutex;
    mutex.Reset();

    if (MyMutex->TryEnter()) {
        return;
    }
    {
        const fw::Ref<fw::FolderItem> executable = ExecutableFile();
        const fw::String message = executable->Name() + kAlreadyRunning;
        fw::MessageDialog::Show(message);
    }
    Quit(0);
}

} // namespace pindrel
