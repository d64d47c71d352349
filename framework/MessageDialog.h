#pragma once

#include "framework/String.h"

namespace fw {

class MessageDialog {
public:
    // One text in a modal message box; returns when the user has dismissed it.
    // ThreadAccessingUIException off the framework's thread, before anything is shown.
    static void Show(const String& text);
};

} // namespace fw
