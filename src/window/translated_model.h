// The right results pane's model: the results model's rows with their texts passed
// through a dictionary and converted into a language. A text is converted when a view
// first asks for it and kept until the language, the dictionary or one of their files
// changes, so a language change costs the rows on screen, not every row.
#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QIdentityProxyModel>
#include <QString>

#include "translit/translit.h"

namespace window {

class TranslatedModel : public QIdentityProxyModel {
    Q_OBJECT
  public:
    explicit TranslatedModel(QObject* parent = nullptr);

    // Converts with language and dictionary (a dictionary name or empty) from now on.
    // Returns what failed in opening them (empty when all went well); a dictionary that
    // cannot be read leaves the pane with its texts passed through no dictionary.
    QString SetLanguage(const QString& language, const QString& dictionary);
    const QString& Language() const { return language_; }

    // A text converted as the pane converts its rows (not cached).
    translit::Outcome Convert(const QString& text) const;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    void setSourceModel(QAbstractItemModel* source) override;

  signals:
    // The first text of the current language that could not be converted; once per
    // language or dictionary choice, delivered after the view's paint has ended.
    void conversionFailed(const QString& error);

  private:
    void Reopen();
    void Watch();
    void DropCache();

    QString language_;
    QString dictionary_;
    translit::Translator translator_;
    QFileSystemWatcher watcher_;
    // A row's text and what it converted to, by source row (the key is the row's
    // internal id and row). An entry serves only the text it was made from, so a row
    // whose text changed is converted again whenever the views hear of it.
    struct Converted {
        QString source;
        QString text;
    };
    mutable QHash<quint64, Converted> cache_;
    mutable bool failureReported_ = false;
};

}  // namespace window
