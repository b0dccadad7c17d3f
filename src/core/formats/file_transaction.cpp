#include "core/formats/file_transaction.h"

#include "core/util/file_journal.h"

namespace p330 {

Result<IniDocument> FileTransaction::load_ini(const std::filesystem::path& path) const {
    if (const auto it = files_.find(path); it != files_.end()) {
        Result<IniDocument> doc = IniDocument::parse(it->second);
        if (!doc) return Error{doc.error().code, path.string() + ": " + doc.error().message};
        return doc;
    }
    return IniDocument::load(path);
}

Status FileTransaction::stage_ini(const std::filesystem::path& path, const IniDocument& doc) {
    Result<std::string> bytes = doc.render(path);
    if (!bytes) return bytes.error();
    files_[path] = std::move(*bytes);
    return Status::ok();
}

void FileTransaction::stage(const std::filesystem::path& path, std::string bytes) {
    files_[path] = std::move(bytes);
}

Status FileTransaction::commit() {
    // Labels before the image that names them, so that even a plain sequence of renames
    // would end on the file that completes the change.
    FileWrites writes;
    for (auto& [path, bytes] : files_) {
        if (path.extension() != ".bin") writes.emplace_back(path, bytes);
    }
    for (auto& [path, bytes] : files_) {
        if (path.extension() == ".bin") writes.emplace_back(path, bytes);
    }
    Status written = write_files_together(dir_, writes);
    if (written) files_.clear();
    return written;
}

}  // namespace p330
