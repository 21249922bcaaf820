#include "window/screening.h"

#include <pthread.h>

#include <QCoreApplication>
#include <QFile>
#include <QMetaObject>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <utility>

#include "screen/screen_record.h"

namespace window {

QIcon ScreeningIcon(bool identifier) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A flag on a pole: red and square for a number, amber and pointed for a name, so
    // the two differ in shape as well as in colour.
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawLine(QPointF(3, 1), QPointF(3, 15));
    painter.setPen(Qt::NoPen);
    if (identifier) {
        painter.setBrush(QColor(0xd0, 0x10, 0x10));
        painter.drawRect(QRectF(4, 2, 10, 7));
    } else {
        painter.setBrush(QColor(0xf0, 0xa0, 0x00));
        const QPointF points[] = {QPointF(4, 2), QPointF(14, 5.5), QPointF(4, 9)};
        painter.drawPolygon(points, 3);
    }
    painter.end();
    return QIcon(pixmap);
}

QString VersionText(const screen::ListVersion& version, bool withDigest) {
    QString text =
        QCoreApplication::translate("window::Screening", "%1 version %2 (%3 entities, imported %4)")
            .arg(QString::fromStdString(version.list))
            .arg(version.number)
            .arg(version.entities)
            .arg(QString::fromStdString(version.importedAt));
    if (withDigest) {
        text += QStringLiteral(", SHA-256 ") + QString::fromStdString(version.digest);
    }
    return text;
}

Screening::Screening(QObject* parent) : QObject(parent), path_(screen::Index::DefaultPath()) {
    batchTimer_.setSingleShot(true);
    batchTimer_.setInterval(0);
    connect(&batchTimer_, &QTimer::timeout, this, &Screening::SendBatch);
    thread_ = std::thread([this] { RunJobs(); });
}

Screening::~Screening() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void Screening::Queue(std::function<void()> job) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    changed_.notify_all();
}

void Screening::RunJobs() {
    pthread_setname_np(pthread_self(), "screening");
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) {
            return;
        }
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        running_ = true;
        lock.unlock();
        job();
        job = nullptr;  // what it holds goes on this thread, before the job counts as done
        lock.lock();
        running_ = false;
        changed_.notify_all();
    }
}

void Screening::Post(std::function<void()> call) {
    std::lock_guard<std::mutex> lock(mutex_);
    posted_.push_back(std::move(call));
    if (!wakePosted_) {
        // Only a bare wake-up travels through Qt's event queue: the calls themselves
        // go through mutex_, a lock the thread sanitizer sees.
        wakePosted_ = true;
        QMetaObject::invokeMethod(this, "RunPosted", Qt::QueuedConnection);
    }
}

void Screening::RunPosted() {
    std::vector<std::function<void()>> calls;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        calls.swap(posted_);
        wakePosted_ = false;
    }
    const QPointer<Screening> alive(this);
    for (const std::function<void()>& call : calls) {
        call();
        if (alive.isNull()) {
            return;
        }
    }
}

void Screening::Reload() {
    Queue([this, path = path_, threshold = threshold_] {
        auto screener = std::make_shared<screen::Screener>();
        screener->setThreshold(threshold);
        std::string error;
        std::vector<screen::ListVersion> versions;
        // No index yet is no list, not a failure.
        if (QFile::exists(QString::fromStdString(path))) {
            const platform::Status loaded = screener->Load(path);
            if (loaded) {
                versions = screener->versions();
            } else {
                error = loaded.error();
            }
        }
        screener_ = versions.empty() ? nullptr : std::move(screener);
        Post([this, versions = std::move(versions), error = QString::fromStdString(error)] {
            versions_ = versions;
            ready_ = true;
            emit loaded(error);
        });
    });
}

void Screening::Add(window::NodeHandle query, int child, const lookup::FirmRecord& firm) {
    if (versions_.empty()) {
        return;
    }
    pending_.push_back(Firm{query, child, firm});
    if (!batchTimer_.isActive()) {
        batchTimer_.start();
    }
}

void Screening::SendBatch() {
    if (pending_.empty()) {
        return;
    }
    Queue([this, firms = std::exchange(pending_, {})] {
        if (!screener_) {
            return;  // the lists were removed meanwhile
        }
        std::vector<std::pair<std::pair<window::NodeHandle, int>, ScreenMark>> told;
        for (const Firm& firm : firms) {
            platform::Result<std::vector<screen::Match>> matches = screener_->Screen(firm.record);
            // A failed read leaves the firm unmarked.
            if (!matches || matches->empty()) {
                continue;
            }
            ScreenMark mark;
            mark.matches = std::move(*matches);
            for (const screen::Match& match : mark.matches) {
                mark.identifier = mark.identifier || screen::ListedByNumber(match);
            }
            told.push_back({{firm.query, firm.child}, std::move(mark)});
        }
        if (told.empty()) {
            return;
        }
        Post([this, told = std::move(told)] {
            for (const auto& [row, mark] : told) {
                emit screened(row.first, row.second, mark);
            }
        });
    });
}

void Screening::ScreenCheck(std::shared_ptr<archive::CheckRecord> record,
                            std::function<void(const QString& error)> done) {
    Queue([this, record = std::move(record), done = std::move(done)] {
        std::string error;
        if (screener_) {
            archive::Screening screening = screen::RecordScreening(screener_->versions());
            for (const lookup::FirmRecord& firm : record->firms) {
                const platform::Result<std::vector<screen::Match>> matches =
                    screener_->Screen(firm);
                if (!matches) {
                    error = matches.error();
                    break;
                }
                for (const screen::Match& match : *matches) {
                    screening.matches.push_back(screen::RecordMatch(firm, match));
                }
            }
            // A screening with a firm left out would vouch for that firm: the check
            // goes unscreened instead, and the window says why.
            if (error.empty()) {
                record->screening = std::move(screening);
            }
        }
        done(QString::fromStdString(error));
    });
}

void Screening::Flush() {
    batchTimer_.stop();
    SendBatch();
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return jobs_.empty() && !running_; });
    }
    RunPosted();
}

}  // namespace window
