// The headless backend's message boxes and open-file dialogs: recorded, and answered from a script.
#include "framework/headless/Control.h"

#include <deque>

#include "framework/Exceptions.h"
#include "framework/headless/Defaults.h"
#include "framework/platform/Dialogs.h"

namespace fw::headless {

namespace {

// What the user interface calls touch; they all come on the framework's thread.
struct Interface {
    std::vector<ShownMessage> messages;
    std::function<void(const ShownMessage&)> messageHook;
    std::deque<std::optional<String>> dialogAnswers; // none: cancel
    std::vector<platform::OpenDialogRequest> dialogRequests;
    std::optional<String> documentsFolder;
};

Interface& UI() {
    static Interface ui;
    return ui;
}

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

namespace detail {

void ResetDialogs() {
    UI() = Interface{};
}

} // namespace detail

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

} // namespace fw::platform
