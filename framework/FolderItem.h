#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "framework/FileHandle.h"
#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

// A reference to a file by its path. The questions it answers go to the file system each time.
class FolderItem : public Object {
public:
    static constexpr std::string_view kRecordName = "FolderItem";
    static const ClassRecord& Class();
    explicit FolderItem(String path, const ClassRecord& record = Class());

    // True when the file is there, False when it or a folder on its path is not; IOException,
    // with LastErrorCode set, when the file system cannot tell.
    virtual bool Exists();
    // The file's name with its extension: on Windows as its folder lists it, so in the letter case
    // stored whatever the path writes; otherwise, and where the file cannot be found, as the path
    // writes it.
    virtual String Name();
    // The size in bytes; 0 for a file that cannot be queried (see LastErrorCode).
    virtual std::uint64_t Length();
    // Opens the file for reading; IOException, with LastErrorCode set, when it cannot (for a
    // folder the platform's FolderErrorCode, whatever the open gave).
    virtual std::unique_ptr<FileHandle> OpenForReading();

    // The platform's error code of the last query or open; 0 after one that succeeded.
    std::int64_t LastErrorCode() const noexcept { return lastErrorCode_; }
    const String& NativePath() const noexcept { return path_; }

private:
    String path_;
    std::int64_t lastErrorCode_ = 0;
};

} // namespace fw
