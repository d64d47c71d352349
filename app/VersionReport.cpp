#include "app/App.h"
#include "app/FailureMessage.h"
#include "app/FileTypes1.h"
#include "framework/FileType.h"
#include "framework/MessageDialog.h"
#include "framework/OpenDialog.h"
#include "framework/SpecialFolder.h"
#include "reader/basKontaktVersion.h"

namespace pindrel {

namespace {

// The common end of both document events: exactly one message box per document.
void ReportVersion(const fw::Ref<fw::FolderItem>& item) {
    fw::String report;
    const fw::Integer result = basKontaktVersion::ShowKontaktVersion(item, report);
    if (result != basKontaktVersion::kVersionFound) {
        report = FailureMessage();
    }
    fw::MessageDialog::Show(report);
}

} // namespace

void App::Event_NewDocument() {
    const fw::Ref<fw::OpenDialog> dialog = fw::New<fw::OpenDialog>();
    dialog->InitialDirectory(fw::SpecialFolder::Documents());
    dialog->Title("Select a Kontakt file");

    const fw::Ref<fw::FileType> bank = FileTypes1::NIKontaktBank();
    const fw::Ref<fw::FileType> instrument = FileTypes1::NIKontaktInstrument();
    const fw::Ref<fw::FileType> multi = FileTypes1::NIKontaktMulti();
    dialog->Filter(
        fw::FileType::Operator_AddRight(fw::FileType::Operator_Add(instrument, multi), bank));

    const fw::Ref<fw::FolderItem> chosen = dialog->ShowModal();
    if (!chosen) {
        return;
    }
    // The reader tests that the file exists: a missing one ends in the failure message.
    ReportVersion(chosen);
}

void App::Event_OpenDocument(const fw::Ref<fw::FolderItem>& item) {
    if (!item || !item->Exists()) {
        return;
    }
    ReportVersion(item);
}

} // namespace pindrel
