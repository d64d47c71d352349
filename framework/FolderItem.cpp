#include "framework/FolderItem.h"

#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
#include "framework/platform/Files.h"

namespace fw {

const ClassRecord& FolderItem::Class() {
    static const ClassRecord& record = DefineClass(std::string(kRecordName), &Object::Class());
    return record;
}

FolderItem::FolderItem(String path, const ClassRecord& record)
    : Object(record), path_(std::move(path)) {}

bool FolderItem::Exists() {
    const auto status = platform::QueryFile(path_);
    lastErrorCode_ = status.error;
    if (!status.exists && !status.absent) {
        throw IOException(String("Could not find out whether \"") + Name() + "\" exists.",
                          lastErrorCode_);
    }
    return status.exists;
}

String FolderItem::Name() {
    return platform::FileName(path_);
}

std::uint64_t FolderItem::Length() {
    const auto status = platform::QueryFile(path_);
    lastErrorCode_ = status.error;
    return status.exists && !status.isDirectory ? status.length : 0;
}

std::unique_ptr<FileHandle> FolderItem::OpenForReading() {
    try {
        auto handle = platform::OpenForReading(path_);
        lastErrorCode_ = 0;
        return handle;
    } catch (const IOException& error) {
        // Whoever handed a folder over needs to hear that, not why the call refused it.
        const auto status = platform::QueryFile(path_);
        if (status.exists && status.isDirectory) {
            lastErrorCode_ = platform::FolderErrorCode();
            throw IOException(String("Could not open \"") + Name() + "\": it is a folder.",
                              lastErrorCode_);
        }
        lastErrorCode_ = error.ErrorNumber();
        throw IOException(String("Could not open \"") + Name() + "\".", lastErrorCode_);
    }
}

} // namespace fw
