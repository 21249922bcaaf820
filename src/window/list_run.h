// A list run in the window: a query row for every line of a list that holds more than
// blanks, the lines
// sent through the list-run driver that vendrake-batch uses too (same order, a line
// whose check digit does not match skipped, a few lines queued at a time, nothing new
// once the daily limit is reached).
#pragma once

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "exchange/query_types.h"
#include "lists/list_file.h"
#include "window/result_nodes.h"

namespace lookup {
class ListRunDriver;
class QueryService;
}  // namespace lookup

namespace window {

class ResultsModel;

class ListRun {
  public:
    struct Hooks {
        // Line row `row` went out as query id with request; line: the line as the list
        // has it.
        std::function<void(lookup::QueryId id, window::NodeHandle row,
                           const lookup::QueryRequest& request, const QString& line)>
            queued;
        // Line row `row` was not sent: reason says why.
        std::function<void(window::NodeHandle row, const QString& reason)> skipped;
    };

    // base: the service root and proxy of every request; language: the language of
    // transliteration a name line is converted with before it goes out.
    ListRun(lookup::QueryService& service, lookup::ListFile list, lookup::QueryRequest base,
            QString language, Hooks hooks);
    ~ListRun();
    ListRun(const ListRun&) = delete;
    ListRun& operator=(const ListRun&) = delete;

    // Adds the rows to model; returns how many lines have something to search for. A
    // line of blanks (or of characters a search drops) gets no row.
    int AddRows(ResultsModel& model);
    // How many lines AddRows gave no row although they are not empty.
    int BlankLines() const { return blankLines_; }
    // Queues lines while the service has room; call again whenever a query ends.
    void Pump();
    // No line goes out any more: the queued queries are dropped (their ids go to
    // droppedIds). Returns the rows of the lines never queued, in list order.
    std::vector<window::NodeHandle> StopForLimit(std::vector<lookup::QueryId>& droppedIds);
    bool limitReached() const;
    // The first failure of converting a line (the line then went out as it is).
    const QString& ConversionError() const { return conversionError_; }
    // The row text for a query's new text: the line as it stands in the list takes the
    // place of the converted text that was searched.
    QString RowText(lookup::QueryId id, const std::string& cp1251Text) const;

  private:
    struct Sent {
        std::string searched;  // Windows-1251, what the query's text starts with
        QString line;          // as the list has it
    };

    lookup::QueryService& service_;
    lookup::ListFile list_;  // the driver reads it for as long as it lives
    lookup::QueryRequest base_;
    QString language_;
    Hooks hooks_;
    QString conversionError_;
    int blankLines_ = 0;
    std::map<int, window::NodeHandle> rowOfLine_;  // by line number
    std::unordered_map<lookup::QueryId, Sent> sent_;
    std::unique_ptr<lookup::ListRunDriver> driver_;
};

}  // namespace window
