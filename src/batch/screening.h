// Screening the firms of a list run against watch lists: each firm is handed to the
// screening thread as soon as the register delivers it, so that screening overlaps the
// wait for the register, and the line's results are collected when the line ends.
// The screen itself is given as a function, made and used on the screening thread only.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "pages/records.h"
#include "platform/result.h"

namespace batch {

// One entity of a watch list that a firm matches, as the results file records it
// (UTF-8 texts).
struct ScreenHit {
    bool identifier = false;  // by INN, OGRN or KPP+INN of a target; otherwise by name
    bool target = true;       // false: a related party, the firm is linked, not listed
    std::string list;
    int version = 0;
    std::string digest;
    std::string entityId;
    std::string caption;
    std::string schema;
    std::vector<std::string> topics;
    std::string what;         // "INN", "OGRN", "KPP+INN", or the entity's name property
    std::string how;          // the firm's form of its name; empty for an identifier
    std::string firmValue;    // what of the firm matched
    std::string entityValue;  // what of the entity matched
    double score = 1;
    std::string describe;  // one line: "INN 7713001232", "name 0.94: ... ~ ..."
};

// Screens one firm (Windows-1251 fields); fails when the lists cannot be read.
using FirmScreen =
    std::function<platform::Result<std::vector<ScreenHit>>(const lookup::FirmRecord& firm)>;

// "identifier" when any hit is a target's number, "name" when the others include a
// target's name, "link" when every hit is a related party, "none".
const char* ScreenResultName(const std::vector<ScreenHit>& hits);

// The columns a table (csv, xlsx) adds after its own for a screened run, and a firm's
// cells in them: the result, the number of matches, and every match described.
const std::vector<const char*>& ScreenColumns();
std::vector<std::string> ScreenCells(const std::vector<ScreenHit>& hits);

// "LIST vN: ENTITY "CAPTION" (SCHEMA; TOPICS): WHAT MATCHED" for a line of text.
std::string ScreenHitText(const ScreenHit& hit);

// The screening of one ended line's firms: the hits of each firm that has any, by the
// firm's place among the line's firms (from 0).
struct LineScreening {
    std::map<int, std::vector<ScreenHit>> hits;
    std::string error;  // a firm could not be screened: why
    int identifierFirms = 0;
    int nameFirms = 0;    // firms matched by name only
    int linkedFirms = 0;  // firms matching related parties ("target": false) only

    const std::vector<ScreenHit>* Of(int firm) const {
        const auto it = hits.find(firm);
        return it == hits.end() ? nullptr : &it->second;
    }
};

class ScreeningQueue {
  public:
    // Starts the screening thread; screen is called on it only. At most `backlog` firms wait:
    // Submit blocks beyond that, so that a flood of firms never piles up in memory.
    // A firm seen before in the run (same name, INN, OGRN and KPP) is not screened
    // again: the lists do not change during a run, and a name search's firms come
    // back in the answers of other lines. At most `remembered` firms are kept.
    explicit ScreeningQueue(FirmScreen screen, std::size_t backlog = 4096,
                            std::size_t remembered = 8192);
    ~ScreeningQueue();
    ScreeningQueue(const ScreeningQueue&) = delete;
    ScreeningQueue& operator=(const ScreeningQueue&) = delete;

    // Queues the next firm of line `line`.
    void Submit(int line, const lookup::FirmRecord& firm);
    // Waits until every firm submitted for line is screened and hands their results
    // over; the line is forgotten.
    LineScreening Take(int line);
    // Forgets a line whose records are not written; its waiting firms are not screened.
    void Drop(int line);

  private:
    struct Job {
        int line;
        int firm;
        lookup::FirmRecord record;
    };
    struct Line {
        int submitted = 0;
        int screened = 0;
        LineScreening result;
    };
    void Work();
    platform::Result<std::vector<ScreenHit>> Screen(const lookup::FirmRecord& firm);

    FirmScreen screen_;
    std::size_t backlog_;
    std::size_t remembered_;
    std::mutex mutex_;
    std::condition_variable work_;  // the screening thread waits for a job
    std::condition_variable done_;  // Submit waits for room, Take for its line
    bool idle_ = false;             // the screening thread waits on work_
    std::unordered_map<std::string, std::vector<ScreenHit>> seen_;  // screening thread only
    std::deque<Job> jobs_;
    std::map<int, Line> lines_;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace batch
