#include "framework/BackgroundTask.h"

namespace fw {

namespace {

std::function<void()>& Observer() {
    static std::function<void()> observer;
    return observer;
}

} // namespace

void RuntimeBackgroundTask() {
    if (const auto& observer = Observer()) {
        observer();
    }
}

std::function<void()> SetBackgroundTaskObserver(std::function<void()> observer) {
    std::swap(Observer(), observer);
    return observer;
}

} // namespace fw
