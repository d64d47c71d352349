#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "framework/String.h"
#include "framework/platform/Dialogs.h"

// The headless backend as tests drive it: messages are recorded, open-file
// dialogs answer from a script, and the Documents folder and the executable's path are whatever
// the test says. Named locks behave as on Windows between separate copies of the program, with
// every lock object standing for a copy of its own.
namespace fw::headless {

struct ShownMessage {
    String text;
    platform::MessageKind kind;
    String caption;
};

// Every message shown since the last Reset, in order.
const std::vector<ShownMessage>& ShownMessages();
// Runs after a message has been recorded; whatever it throws leaves the message box call.
void OnMessageShown(std::function<void(const ShownMessage&)> hook);

// The next open-file dialog returns this path, or is cancelled. Answers are used in order; a
// dialog with no answer left raises RuntimeException instead of waiting for a user who is not
// there.
void AnswerOpenDialog(String path);
void CancelOpenDialog();
// Every dialog shown since the last Reset, as the backend received it.
const std::vector<platform::OpenDialogRequest>& OpenDialogRequests();

// None (the default) stands for a system that cannot name a Documents folder.
void SetDocumentsFolder(std::optional<String> path);
// Defaults to "/opt/Program/Program.exe", a path that names no product.
void SetExecutablePath(String path);

// Another copy of the program takes, or gives back, the named lock.
void HoldNamedLockElsewhere(const String& name);
void ReleaseNamedLockElsewhere(const String& name);
// True while anyone, here or elsewhere, holds the lock of that name.
bool NamedLockHeld(const String& name);

enum class LockCall { Create, TryAcquire, Acquire, Release };
// Runs before each named-lock operation; a throw makes that operation fail without effect.
void OnNamedLockCall(std::function<void(LockCall, const String& name)> hook);

// Back to the defaults: no messages, answers, requests or hooks, no Documents folder, the default
// executable path and no lock held elsewhere. Locks held by live objects stay held.
void Reset();

} // namespace fw::headless
