#include "core/formats/file_transaction.h"

#include "core/formats/profile_image.h"
#include "core/util/file_journal.h"

namespace p330 {

namespace {

Result<IniDocument> parse_staged(const std::filesystem::path& path, std::string_view bytes) {
    Result<IniDocument> doc = IniDocument::parse(bytes);
    if (!doc) return Error{doc.error().code, path.string() + ": " + doc.error().message};
    return doc;
}

// A journal's entry is what a direct write of its file could be: an image of the image's size,
// an INI its reader takes; a .bak copy within the INI limit.
Status check_journal_entry(const std::filesystem::path& path, std::string_view bytes) {
    if (path.extension() == ".bak") {
        if (bytes.size() > kMaxIniFileSize) return Error{ErrorCode::kInvalidData, "too large"};
        return Status::ok();
    }
    if (path.extension() == ".bin") {
        if (bytes.size() != kProfileImageSize)
            return Error{ErrorCode::kInvalidData,
                         "not a profile image of " + std::to_string(kProfileImageSize) + " bytes"};
        return Status::ok();
    }
    if (bytes.size() > kMaxIniFileSize) return Error{ErrorCode::kInvalidData, "too large"};
    return parse_staged(path, bytes).status();
}

// Every program that changes the data folder links this file: its journals are checked.
[[maybe_unused]] const bool journal_checked = (set_journal_entry_check(&check_journal_entry), true);

}  // namespace

Result<IniDocument*> FileTransaction::ini(const std::filesystem::path& path) {
    if (const auto it = documents_.find(path); it != documents_.end()) return &it->second;
    const auto staged = files_.find(path);
    Result<IniDocument> doc =
        staged == files_.end() ? IniDocument::load(path) : parse_staged(path, staged->second);
    if (!doc) return doc.error();
    return &documents_.insert_or_assign(path, std::move(*doc)).first->second;
}

Status FileTransaction::stage_ini(const std::filesystem::path& path, const IniDocument& doc) {
    Result<std::string> bytes = doc.render(path);
    const auto copy = documents_.find(path);
    const bool staging_the_copy = copy != documents_.end() && &copy->second == &doc;
    // Another document for the same file, or a refused copy: ini() reads the staged bytes.
    if (copy != documents_.end() && (!bytes || !staging_the_copy)) documents_.erase(copy);
    if (!bytes) return bytes.error();
    files_[path] = std::move(*bytes);
    return Status::ok();
}

void FileTransaction::stage(const std::filesystem::path& path, std::string bytes) {
    documents_.erase(path);
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
