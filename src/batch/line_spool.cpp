#include "batch/line_spool.h"

#include <cstdint>
#include <stdexcept>

namespace batch {
namespace {

std::size_t Weight(const SpoolEntry& e) {
    std::size_t bytes = sizeof(SpoolEntry) + e.text.size();
    for (const lookup::FirmField& field : lookup::FirmFields()) {
        bytes += (e.firm.*field.member).size();
    }
    return bytes;
}

void Put(std::string& out, const std::string& value) {
    const auto n = static_cast<std::uint32_t>(value.size());
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((n >> shift) & 0xFF);
    }
    out += value;
}

bool Get(std::FILE* file, std::string* value) {
    unsigned char size[4];
    if (std::fread(size, 1, 4, file) != 4) {
        return false;
    }
    const std::uint32_t n =
        size[0] | (size[1] << 8) | (size[2] << 16) | (static_cast<std::uint32_t>(size[3]) << 24);
    value->resize(n);
    return n == 0 || std::fread(value->data(), 1, n, file) == n;
}

}  // namespace

LineSpool::LineSpool(std::size_t memoryBytes) : memoryBytes_(memoryBytes) {}

LineSpool::~LineSpool() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

void LineSpool::Add(SpoolEntry entry) {
    ++(entry.isFirm ? firms_ : messages_);
    if (file_ == nullptr) {
        held_ += Weight(entry);
        entries_.push_back(std::move(entry));
        if (held_ <= memoryBytes_) {
            return;
        }
        // Over the memory share: everything so far moves to the file.
        file_ = std::tmpfile();
        if (file_ == nullptr) {
            throw std::runtime_error("cannot create a temporary file for a line's results");
        }
        std::vector<SpoolEntry> held;
        held.swap(entries_);
        held_ = 0;
        for (const SpoolEntry& e : held) {
            Spill(e);
        }
        return;
    }
    Spill(entry);
}

void LineSpool::AddFirm(const lookup::FirmRecord& firm) {
    if (file_ == nullptr) {
        Add(SpoolEntry{true, firm, {}});
        return;
    }
    ++firms_;
    SpillFirm(firm);
}

void LineSpool::Spill(const SpoolEntry& entry) {
    if (entry.isFirm) {
        SpillFirm(entry.firm);
        return;
    }
    record_.assign(1, 'M');
    Put(record_, entry.text);
    Write(record_);
}

void LineSpool::SpillFirm(const lookup::FirmRecord& firm) {
    record_.assign(1, 'F');
    for (const lookup::FirmField& field : lookup::FirmFields()) {
        Put(record_, firm.*field.member);
    }
    Write(record_);
}

void LineSpool::Write(const std::string& record) {
    if (std::fwrite(record.data(), 1, record.size(), file_) != record.size()) {
        throw std::runtime_error("cannot write a line's results to a temporary file");
    }
}

void LineSpool::ForEach(const std::function<void(const SpoolEntry&)>& visit) const {
    if (file_ == nullptr) {
        for (const SpoolEntry& e : entries_) {
            visit(e);
        }
        return;
    }
    if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) {
        throw std::runtime_error("cannot read a line's results back from a temporary file");
    }
    SpoolEntry e;
    for (int kind; (kind = std::fgetc(file_)) != EOF;) {
        e.isFirm = kind == 'F';
        bool ok = true;
        if (e.isFirm) {
            for (const lookup::FirmField& field : lookup::FirmFields()) {
                ok = ok && Get(file_, &(e.firm.*field.member));
            }
        } else {
            ok = Get(file_, &e.text);
        }
        if (!ok) {
            throw std::runtime_error("a line's temporary results file ends early");
        }
        visit(e);
    }
    // Further entries go to the end again.
    std::fseek(file_, 0, SEEK_END);
}

}  // namespace batch
