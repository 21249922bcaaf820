// What one line's query delivered (firms and service messages, in delivery order),
// kept until the line ends: in memory while small, then in an unnamed temporary file,
// so that a line with hundreds of thousands of firms does not grow the program.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pages/records.h"

namespace batch {

struct SpoolEntry {
    bool isFirm = true;
    lookup::FirmRecord firm;  // when isFirm
    std::string text;         // the message (Windows-1251), when !isFirm
};

class LineSpool {
  public:
    // memoryBytes: what the entries may take in memory before they go to a file.
    explicit LineSpool(std::size_t memoryBytes = 4u << 20);
    ~LineSpool();
    LineSpool(const LineSpool&) = delete;
    LineSpool& operator=(const LineSpool&) = delete;

    // Throws std::runtime_error when the temporary file cannot be written.
    void Add(SpoolEntry entry);
    // The same for a firm, copied only while the entries are kept in memory.
    void AddFirm(const lookup::FirmRecord& firm);

    // Each entry in the order added. Throws std::runtime_error when the temporary
    // file cannot be read back.
    void ForEach(const std::function<void(const SpoolEntry&)>& visit) const;

    int firms() const { return firms_; }
    int messages() const { return messages_; }
    bool spilled() const { return file_ != nullptr; }

  private:
    void Spill(const SpoolEntry& entry);
    void SpillFirm(const lookup::FirmRecord& firm);
    void Write(const std::string& record);

    std::size_t memoryBytes_;
    std::size_t held_ = 0;
    std::vector<SpoolEntry> entries_;
    std::FILE* file_ = nullptr;
    std::string record_;  // the record being written, reused
    int firms_ = 0;
    int messages_ = 0;
};

}  // namespace batch
