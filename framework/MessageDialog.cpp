#include "framework/MessageDialog.h"

#include "framework/Runtime.h"
#include "framework/UIThread.h"
#include "framework/platform/Dialogs.h"

namespace fw {

void MessageDialog::Show(const String& text) {
    RequireUIThread();
    platform::ShowMessage(RuntimeProgramName(), text, platform::MessageKind::Information);
}

} // namespace fw
