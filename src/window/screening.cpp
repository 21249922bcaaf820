#include "window/screening.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMetaObject>
#include <QPainter>
#include <QPixmap>
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
    pool_.setMaxThreadCount(1);
    batchTimer_.setSingleShot(true);
    batchTimer_.setInterval(0);
    connect(&batchTimer_, &QTimer::timeout, this, &Screening::SendBatch);
}

Screening::~Screening() {
    pool_.waitForDone();
}

void Screening::Reload() {
    pool_.start([this, path = path_, threshold = threshold_] {
        auto screener = std::make_shared<screen::Screener>();
        screener->setThreshold(threshold);
        std::string error;
        std::vector<screen::ListVersion> versions;
        // No index yet is no list, not a failure.
        const bool present = QFile::exists(QString::fromStdString(path));
        if (present && screener->Load(path, &error)) {
            versions = screener->versions();
        }
        screener_ = versions.empty() ? nullptr : std::move(screener);
        QMetaObject::invokeMethod(
            this,
            [this, versions = std::move(versions), error = QString::fromStdString(error)] {
                versions_ = versions;
                ready_ = true;
                emit loaded(error);
            },
            Qt::QueuedConnection);
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
    pool_.start([this, firms = std::exchange(pending_, {})] {
        if (!screener_) {
            return;  // the lists were removed meanwhile
        }
        std::vector<std::pair<const Firm*, ScreenMark>> found;
        for (const Firm& firm : firms) {
            std::string error;  // a failed read leaves the firm unmarked
            ScreenMark mark;
            mark.matches = screener_->Screen(firm.record, &error);
            if (mark.matches.empty()) {
                continue;
            }
            for (const screen::Match& match : mark.matches) {
                mark.identifier = mark.identifier || match.kind == screen::MatchKind::Identifier;
            }
            found.emplace_back(&firm, std::move(mark));
        }
        if (found.empty()) {
            return;
        }
        std::vector<std::pair<std::pair<window::NodeHandle, int>, ScreenMark>> told;
        told.reserve(found.size());
        for (auto& [firm, mark] : found) {
            told.push_back({{firm->query, firm->child}, std::move(mark)});
        }
        QMetaObject::invokeMethod(
            this,
            [this, told = std::move(told)] {
                for (const auto& [row, mark] : told) {
                    emit screened(row.first, row.second, mark);
                }
            },
            Qt::QueuedConnection);
    });
}

void Screening::ScreenCheck(std::shared_ptr<archive::CheckRecord> record,
                            std::function<void(const QString& error)> done) {
    pool_.start([this, record = std::move(record), done = std::move(done)] {
        std::string error;
        if (screener_) {
            archive::Screening screening = screen::RecordScreening(screener_->versions());
            for (const lookup::FirmRecord& firm : record->firms) {
                for (const screen::Match& match : screener_->Screen(firm, &error)) {
                    screening.matches.push_back(screen::RecordMatch(firm, match));
                }
                if (!error.empty()) {
                    break;
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
    pool_.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

}  // namespace window
