#include "framework/headless/HeadlessUI.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>

#include "framework/Exceptions.h"

namespace fw::headless {

namespace {

const char* const defaultExecutablePath = "/opt/Pindrel/Pindrel.exe";

// What the user interface calls touch; they all come on the framework's thread.
struct Interface {
    std::vector<ShownMessage> messages;
    std::function<void(const ShownMessage&)> messageHook;
    std::deque<std::optional<String>> dialogAnswers; // none: cancel
    std::vector<platform::OpenDialogRequest> dialogRequests;
    std::optional<String> documentsFolder;
    String executablePath = defaultExecutablePath;
};

Interface& UI() {
    static Interface ui;
    return ui;
}

// Named locks may be used from any thread, so they keep their own guard.
struct LockOwner {}; // stands for a copy of the program other than this one
const LockOwner elsewhere{};

struct LockState {
    const void* owner = nullptr;
    long count = 0;
};

struct Locks {
    std::mutex guard;
    std::condition_variable released;
    std::map<std::string, LockState> byName;
    std::function<void(LockCall, const String&)> hook;
};

Locks& AllLocks() {
    static Locks locks;
    return locks;
}

void RunHook(Locks& locks, LockCall call, const String& name) {
    // The hook runs unguarded, so it may itself ask whether a lock is held.
    std::function<void(LockCall, const String&)> hook;
    {
        std::lock_guard lock(locks.guard);
        hook = locks.hook;
    }
    if (hook) {
        hook(call, name);
    }
}

bool TakeLocked(LockState& state, const void* owner) {
    if (state.owner != nullptr && state.owner != owner) {
        return false;
    }
    state.owner = owner;
    ++state.count;
    return true;
}

class HeadlessNamedLock final : public platform::NamedLock {
public:
    explicit HeadlessNamedLock(String name) : name_(std::move(name)) {}
    ~HeadlessNamedLock() override {
        // A lock object that goes away gives back whatever it still holds, as a copy of the
        // program that ends does on Windows.
        auto& locks = AllLocks();
        std::lock_guard lock(locks.guard);
        if (auto& state = locks.byName[name_.Bytes()]; state.owner == this) {
            state = {};
            locks.released.notify_all();
        }
    }

    bool TryAcquire() override {
        auto& locks = AllLocks();
        RunHook(locks, LockCall::TryAcquire, name_);
        std::lock_guard lock(locks.guard);
        return TakeLocked(locks.byName[name_.Bytes()], this);
    }

    void Acquire() override {
        auto& locks = AllLocks();
        RunHook(locks, LockCall::Acquire, name_);
        std::unique_lock lock(locks.guard);
        locks.released.wait(lock, [&] { return TakeLocked(locks.byName[name_.Bytes()], this); });
    }

    void Release() override {
        auto& locks = AllLocks();
        RunHook(locks, LockCall::Release, name_);
        std::lock_guard lock(locks.guard);
        auto& state = locks.byName[name_.Bytes()];
        if (state.owner != this) {
            throw RuntimeException("The named lock is not held by this object.");
        }
        if (--state.count == 0) {
            state.owner = nullptr;
            locks.released.notify_all();
        }
    }

private:
    String name_;
};

} // namespace

const std::vector<ShownMessage>& ShownMessages() {
    return UI().messages;
}

void OnMessageShown(std::function<void(const ShownMessage&)> hook) {
    UI().messageHook = std::move(hook);
}

void AnswerOpenDialog(String path) {
    UI().dialogAnswers.emplace_back(std::move(path));
}

void CancelOpenDialog() {
    UI().dialogAnswers.emplace_back(std::nullopt);
}

const std::vector<platform::OpenDialogRequest>& OpenDialogRequests() {
    return UI().dialogRequests;
}

void SetDocumentsFolder(std::optional<String> path) {
    UI().documentsFolder = std::move(path);
}

void SetExecutablePath(String path) {
    UI().executablePath = std::move(path);
}

void HoldNamedLockElsewhere(const String& name) {
    auto& locks = AllLocks();
    std::lock_guard lock(locks.guard);
    auto& state = locks.byName[name.Bytes()];
    if (state.owner != nullptr && state.owner != &elsewhere) {
        throw RuntimeException("The named lock is already held in this process.");
    }
    state = {&elsewhere, 1};
}

void ReleaseNamedLockElsewhere(const String& name) {
    auto& locks = AllLocks();
    std::lock_guard lock(locks.guard);
    if (auto& state = locks.byName[name.Bytes()]; state.owner == &elsewhere) {
        state = {};
        locks.released.notify_all();
    }
}

bool NamedLockHeld(const String& name) {
    auto& locks = AllLocks();
    std::lock_guard lock(locks.guard);
    const auto state = locks.byName.find(name.Bytes());
    return state != locks.byName.end() && state->second.owner != nullptr;
}

void OnNamedLockCall(std::function<void(LockCall, const String&)> hook) {
    auto& locks = AllLocks();
    std::lock_guard lock(locks.guard);
    locks.hook = std::move(hook);
}

void Reset() {
    UI() = Interface{};
    auto& locks = AllLocks();
    std::lock_guard lock(locks.guard);
    locks.hook = nullptr;
    for (auto& [name, state] : locks.byName) {
        if (state.owner == &elsewhere) {
            state = {};
        }
    }
    locks.released.notify_all();
}

} // namespace fw::headless

namespace fw::platform {

void ShowMessage(const String& caption, const String& text, MessageKind kind) {
    auto& ui = headless::UI();
    ui.messages.push_back({text, kind, caption});
    if (ui.messageHook) {
        // Copies: the hook may replace itself or show a further message.
        const auto hook = ui.messageHook;
        const headless::ShownMessage shown = ui.messages.back();
        hook(shown);
    }
}

std::optional<String> ShowOpenDialog(const OpenDialogRequest& request) {
    auto& ui = headless::UI();
    ui.dialogRequests.push_back(request);
    if (ui.dialogAnswers.empty()) {
        throw RuntimeException("An open-file dialog was shown with no scripted answer.");
    }
    auto answer = std::move(ui.dialogAnswers.front());
    ui.dialogAnswers.pop_front();
    return answer;
}

std::optional<String> DocumentsFolder() {
    return headless::UI().documentsFolder;
}

String ExecutablePath() {
    return headless::UI().executablePath;
}

std::unique_ptr<NamedLock> CreateNamedLock(const String& name) {
    headless::RunHook(headless::AllLocks(), headless::LockCall::Create, name);
    return std::make_unique<headless::HeadlessNamedLock>(name);
}

} // namespace fw::platform
