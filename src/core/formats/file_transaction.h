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

    // The change's own copy of an INI, read once (from what it staged, else from disk) and
    // then the same document for every step, which reads and edits it in place and stages it
    // when changed: a file at the size limit is parsed once per command, not once per step.
    Result<IniDocument*> ini(const std::filesystem::path& path);
    // Refuses a document its reader would refuse (the size limit), naming the file; a refused
    // copy of ini() is dropped, so that later steps read what was staged before.
    Status stage_ini(const std::filesystem::path& path, const IniDocument& doc);
    void stage(const std::filesystem::path& path, std::string bytes);
    bool empty() const { return files_.empty(); }
    Status commit();

  private:
    std::filesystem::path dir_;
    std::map<std::filesystem::path, std::string> files_;
    std::map<std::filesystem::path, IniDocument> documents_;  // what ini() handed out
};

}  // namespace p330
