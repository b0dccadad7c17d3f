#pragma once
// The files one change of the data folder writes, gathered before any is written: a later
// step reads what an earlier one staged, every file is checked against its reader's limits
// on the way in, and commit writes them all as one change (see file_journal.h).

#include <filesystem>
#include <map>
#include <string>

#include "core/formats/ini_document.h"
#include "core/result.h"

namespace p330 {

class FileTransaction {
  public:
    explicit FileTransaction(std::filesystem::path dir) : dir_(std::move(dir)) {}

    // The staged document when this change already holds one, else the file on disk.
    Result<IniDocument> load_ini(const std::filesystem::path& path) const;
    // Refuses a document its reader would refuse (the size limit), naming the file.
    Status stage_ini(const std::filesystem::path& path, const IniDocument& doc);
    void stage(const std::filesystem::path& path, std::string bytes);
    bool empty() const { return files_.empty(); }
    Status commit();

  private:
    std::filesystem::path dir_;
    std::map<std::filesystem::path, std::string> files_;
};

}  // namespace p330
