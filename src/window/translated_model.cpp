#include "window/translated_model.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <utility>

#include "window/results_model.h"

namespace window {
namespace {

quint64 KeyOf(const QModelIndex& source) {
    return (static_cast<quint64>(source.internalId()) << 32) | static_cast<quint32>(source.row());
}

}  // namespace

TranslatedModel::TranslatedModel(QObject* parent)
    : QIdentityProxyModel(parent), translator_(translit::Translator::Open(QString())) {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { Reopen(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { Reopen(); });
}

void TranslatedModel::setSourceModel(QAbstractItemModel* source) {
    QIdentityProxyModel::setSourceModel(source);
    // Rows only ever arrive at the end of a query, so insertions keep the cache's keys
    // valid; a reset empties it.
    connect(source, &QAbstractItemModel::modelReset, this, [this] { cache_.clear(); });
}

QString TranslatedModel::SetLanguage(const QString& language, const QString& dictionary) {
    language_ = language;
    dictionary_ = dictionary;
    Reopen();
    Watch();
    return translator_.Error();
}

translit::Outcome TranslatedModel::Convert(const QString& text) const {
    return translator_.Translate(text);
}

void TranslatedModel::Reopen() {
    translator_ = translit::Translator::Open(language_, dictionary_);
    failureReported_ = false;
    DropCache();
}

// The language folder with its rule files and the dictionary file: an edit, a
// replacement or a removal of one of them converts the shown rows again.
void TranslatedModel::Watch() {
    if (!watcher_.files().isEmpty()) {
        watcher_.removePaths(watcher_.files());
    }
    if (!watcher_.directories().isEmpty()) {
        watcher_.removePaths(watcher_.directories());
    }
    QStringList paths;
    const QString folder = translit::GetTransliterationDir() + language_;
    if (!language_.isEmpty() && QFileInfo(folder).isDir()) {
        paths << folder;
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
            paths << file.filePath();
        }
    }
    const QString dictionaryFile =
        translit::GetDictionaryDir() + dictionary_ + QStringLiteral(".txt");
    if (!dictionary_.isEmpty() && QFileInfo(dictionaryFile).isFile()) {
        paths << dictionaryFile;
    }
    if (!paths.isEmpty()) {
        watcher_.addPaths(paths);
    }
}

void TranslatedModel::DropCache() {
    cache_.clear();
    if (sourceModel() == nullptr) {
        return;
    }
    // Only the views' visible rows ask again; the rest convert when they come into view.
    const int queries = rowCount();
    if (queries == 0) {
        return;
    }
    emit dataChanged(index(0, 0), index(queries - 1, 0), {Qt::DisplayRole, Qt::ToolTipRole});
    for (int row = 0; row < queries; ++row) {
        const QModelIndex query = index(row, 0);
        const int children = rowCount(query);
        if (children > 0) {
            emit dataChanged(index(0, 0, query), index(children - 1, 0, query),
                             {Qt::DisplayRole, Qt::ToolTipRole});
        }
    }
}

QVariant TranslatedModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return QIdentityProxyModel::data(index, role);
    }
    const QModelIndex source = mapToSource(index);
    if (!source.isValid()) {
        return QVariant();
    }
    const quint64 key = KeyOf(source);
    // The register's messages are converted as it wrote them, not as the left tree
    // shows them in the user's language.
    QVariant paneSource = source.data(kPaneSourceRole);
    QString text =
        paneSource.isValid() ? paneSource.toString() : source.data(Qt::DisplayRole).toString();
    const auto cached = cache_.constFind(key);
    if (cached != cache_.constEnd() && cached->source == text) {
        return cached->text;
    }
    translit::Outcome outcome = translator_.Translate(text);
    if (!outcome.ok() && !failureReported_) {
        failureReported_ = true;
        // Reported after the paint that asked for the text: a message box must not
        // open inside a view's painting.
        QMetaObject::invokeMethod(
            const_cast<TranslatedModel*>(this),
            [self = const_cast<TranslatedModel*>(this), error = outcome.error] {
                emit self->conversionFailed(error);
            },
            Qt::QueuedConnection);
    }
    cache_.insert(key, {std::move(text), outcome.text});
    return outcome.text;
}

}  // namespace window
