// Evidence that can be checked away from this computer: the chain's head, a line or a
// JSON object to keep elsewhere, and evidence files that hold records with their
// digests and the head, checked without the archive.
//
// A record's digest is SHA-256 over the digest of the record before it and every
// value the record stores (see RecordDigest), so a head (the newest record's id and
// digest) fixes every record up to it. What a head does not prove: an archive whose
// every record was rewritten and chained anew matches no head kept before, but passes
// verify on its own; only a head or a time stamp kept elsewhere tells them apart.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "platform/result.h"

namespace archive {

// Reads a head from a kept line or JSON object (as HeadLine or HeadJson write it), or
// says why text is neither.
platform::Result<ChainHead> ParseHead(const std::string& text);

// "vendrake-head records=4 last=4 base=0 time=2026-12-09T11:40:00Z digest=<hex>"
std::string HeadLine(const ChainHead& head);
// {"records":4,"last":4,"base":0,"time":"...","digest":"..."}
std::string HeadJson(const ChainHead& head);

// Writes an evidence file's lines through write: the base, every record since since
// (all when empty) with its firms and digest, the digests of records pruned between
// them, and the head. Fails when the archive cannot be read or write returns false.
platform::Status WriteEvidence(Archive& db, const std::string& since,
                               const std::function<bool(const std::string& line)>& write);

// What checking an evidence file found.
struct EvidenceReport {
    bool intact = true;
    std::int64_t records = 0;  // records checked
    std::int64_t baseId = 0;   // the record before the first one in the file
    ChainHead head;            // the head the file ends with
    std::string problem;       // "record 17 was altered", "line 3 is no evidence"
    // The tokens the file holds; each covers a record's digest the file gives (those
    // of records before the file's base are taken on trust). Their signatures are
    // checked with CheckStamp.
    std::vector<StoredStamp> stamps;
};

// Checks an evidence file's lines, read through next (false at the end): every
// record's digest over its values and the one before it, ids without a gap, the head
// at the end, and every token's digest against the record it covers; with kept (when
// kept->lastId > 0), that the file holds the kept head's record with the kept digest.
// True when the file holds; otherwise report->problem says why.
bool CheckEvidence(const std::function<bool(std::string* line)>& next, const ChainHead* kept,
                   EvidenceReport* report);

}  // namespace archive
