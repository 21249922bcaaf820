#include "batch/progress_file.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sstream>

namespace batch {
namespace {

std::string Header(OutputFormat format) {
    return std::string("vendrake-batch progress, format ") + FormatName(format);
}

bool OutcomeOf(const std::string& word, LineOutcome* out) {
    for (LineOutcome o :
         {LineOutcome::Done, LineOutcome::Failed, LineOutcome::Skipped, LineOutcome::Unchecked}) {
        if (word == OutcomeName(o)) {
            *out = o;
            return true;
        }
    }
    return false;
}

bool EndsWithNewline(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0) {
        return true;
    }
    file.seek(file.size() - 1);
    char last = 0;
    return file.getChar(&last) && last == '\n';
}

}  // namespace

QString ProgressFileName(const QString& listPath) {
    return ResultsFileName(listPath, OutputFormat::Text).chopped(4) + QStringLiteral(".progress");
}

bool ReadProgress(const QString& path, OutputFormat format, ProgressState* state,
                  std::string* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = "cannot read \"" + path.toStdString() + "\": " + file.errorString().toStdString();
        return false;
    }
    const QByteArray first = file.readLine(256).trimmed();
    if (!first.startsWith("vendrake-batch progress, format ")) {
        *error = "\"" + path.toStdString() + "\" is not a progress file of vendrake-batch";
        return false;
    }
    if (first.toStdString() != Header(format)) {
        *error = "\"" + path.toStdString() + "\" belongs to a run with --format " +
                 first.mid(first.lastIndexOf(' ') + 1).toStdString() + "; resume with that format";
        return false;
    }
    *state = ProgressState{};
    while (!file.atEnd()) {
        const QByteArray raw = file.readLine(4096);
        if (!raw.endsWith('\n')) {
            break;  // the last record, cut short by the end of a run
        }
        std::istringstream in(raw.trimmed().toStdString());
        std::string number, word, firms, messages, bytes;
        if (!std::getline(in, number, '\t') || !std::getline(in, word, '\t') ||
            !std::getline(in, firms, '\t') || !std::getline(in, messages, '\t') ||
            !std::getline(in, bytes)) {
            continue;  // a record cut short, with the next run's records after it
        }
        ProgressRecord record;
        try {
            if (!OutcomeOf(word, &record.outcome)) {
                continue;
            }
            record.firms = std::stoi(firms);
            record.messages = std::stoi(messages);
            state->lines[std::stoi(number)] = record;
            state->resultsBytes = std::stoll(bytes);
        } catch (const std::logic_error&) {
            continue;  // an unreadable number: a damaged record, which vouches for nothing
        }
    }
    return true;
}

ProgressFile::~ProgressFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool ProgressFile::Open(const QString& path, OutputFormat format, bool append, std::string* error) {
    file_ = std::fopen(QFile::encodeName(path).constData(), append ? "ab" : "wb");
    if (file_ == nullptr) {
        *error = std::strerror(errno);
        return false;
    }
    std::fseek(file_, 0, SEEK_END);
    if (append && std::ftell(file_) > 0 && !EndsWithNewline(path)) {
        // A record cut short stays on a line of its own, apart from the new ones.
        std::fputc('\n', file_);
    }
    if (std::ftell(file_) == 0) {
        const std::string header = Header(format) + "\n";
        if (std::fputs(header.c_str(), file_) < 0 || std::fflush(file_) != 0) {
            *error = std::strerror(errno);
            return false;
        }
    }
    return true;
}

bool ProgressFile::Record(int line, const ProgressRecord& record, std::int64_t resultsBytes,
                          std::string* error) {
    const std::string text = std::to_string(line) + "\t" + OutcomeName(record.outcome) + "\t" +
                             std::to_string(record.firms) + "\t" + std::to_string(record.messages) +
                             "\t" + std::to_string(resultsBytes) + "\n";
    if (std::fputs(text.c_str(), file_) < 0 || std::fflush(file_) != 0) {
        *error = std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace batch
