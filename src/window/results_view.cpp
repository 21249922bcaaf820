// The results tree, the firm list and the two detail lists.
#include <QComboBox>
#include <QTreeWidget>

#include "platform/cp1251.h"
#include "translit/translit.h"
#include "window/image_list.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/translated_pane.h"

namespace window {
namespace {

// The room of the firm list grows by doubling: growing by one entry would copy the
// whole list for every firm.
template <typename T>
void ReserveOneMore(std::vector<T>& list) {
    if (list.size() == list.capacity()) {
        list.reserve(list.capacity() < 64 ? 64 : list.capacity() * 2);
    }
}

}  // namespace

void MainWindow::SetImage(QTreeWidgetItem* item, int imageIndex) const {
    item->setIcon(0, icons_.value(imageIndex));
    item->setData(0, kImageIndexRole, imageIndex);
}

lookup::NodeHandle MainWindow::AddQueryNode(const QString& text) {
    auto* item = new QTreeWidgetItem(resultsTree, {text});
    item->setToolTip(0, text);  // the tree may be too narrow for the whole query
    SetImage(item, kImageQuery);
    const lookup::NodeHandle handle = nextHandle_++;
    item->setData(0, Qt::UserRole, QVariant::fromValue<qulonglong>(handle));
    nodes_[handle] = item;
    return handle;
}

QTreeWidgetItem* MainWindow::NodeOf(lookup::NodeHandle handle) const {
    const auto found = nodes_.find(handle);
    return found == nodes_.end() ? nullptr : found->second;
}

void MainWindow::AddResultNode(lookup::NodeHandle queryNode, const std::string& text,
                               int imageIndex, const std::optional<lookup::FirmRecord>& record) {
    QTreeWidgetItem* parent = NodeOf(queryNode);
    if (parent == nullptr) {
        return;  // the node was removed by a newer search
    }
    SetImage(parent, imageIndex);
    auto* child = new QTreeWidgetItem(parent, {platform::FromCp1251(text)});
    SetImage(child, imageIndex);
    if (record) {
        AppendFirmRow(parent, child, *record);
    }
}

void MainWindow::SetNodeText(lookup::NodeHandle node, const std::string& text) {
    if (QTreeWidgetItem* item = NodeOf(node)) {
        item->setText(0, platform::FromCp1251(text));
        item->setToolTip(0, item->text(0));
    }
}

void MainWindow::AppendFirmRow(QTreeWidgetItem* queryNode, QTreeWidgetItem* firmNode,
                               const lookup::FirmRecord& record) {
    ReserveOneMore(rows_);
    rows_.push_back({queryNode, firmNode, record});
}

void MainWindow::ClearDetailValues() {
    for (int row = 0; row < detailList->topLevelItemCount(); ++row) {
        detailList->topLevelItem(row)->setText(1, QString());
    }
    SetDetailMenuEnabled(false);
}

void MainWindow::ClearResults() {
    currentRun_.reset();  // queued batch lines not yet started are dropped with their nodes
    resultsTree->clear();
    nodes_.clear();
    rows_.clear();
    ClearDetailValues();
}

std::vector<lookup::ResultEntry> MainWindow::ResultEntries() const {
    std::vector<lookup::ResultEntry> entries;
    entries.reserve(rows_.size());
    for (const FirmRow& row : rows_) {
        entries.push_back({platform::ToCp1251(row.queryNode->text(0)),
                           platform::ToCp1251(row.firmNode->text(0)), row.record});
    }
    return entries;
}

// A firm node shows its details; a node with children (a query node) opens or closes.
void MainWindow::OnResultDoubleClicked() {
    const QList<QTreeWidgetItem*> selected = resultsTree->selectedItems();
    if (!selected.isEmpty() && selected.first()->childCount() > 0) {
        selected.first()->setExpanded(!selected.first()->isExpanded());
    }
    ShowSelectedFirm();
}

// The record of the selected node itself (not of a node with the same text); query
// and message nodes have none and leave both lists as they are.
void MainWindow::ShowSelectedFirm() {
    const QList<QTreeWidgetItem*> selected = resultsTree->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    for (const FirmRow& row : rows_) {
        if (row.firmNode == selected.first()) {
            const lookup::FirmRecord record = row.record;  // rows_ may change meanwhile
            ShowFirmDetails(record);
            return;
        }
    }
}

void MainWindow::ShowFirmDetails(const lookup::FirmRecord& record) {
    const auto& fields = lookup::FirmFields();
    const int rows = static_cast<int>(fields.size());
    for (int row = 0; row < detailList->topLevelItemCount() && row < rows; ++row) {
        detailList->topLevelItem(row)->setText(
            1, platform::FromCp1251(record.*fields[static_cast<size_t>(row)].member));
    }
    // One report for the whole operation: the right list and the pane together.
    const QString language = paneLanguageBox->currentText();
    const translit::Translator translator = translit::Translator::Open(language);
    QString firstError;
    for (int row = 0; row < translatedDetailList->topLevelItemCount() && row < rows; ++row) {
        translit::Outcome outcome = translator.Convert(
            platform::FromCp1251(record.*fields[static_cast<size_t>(row)].member));
        if (!outcome.ok() && firstError.isEmpty()) {
            firstError = outcome.error;
        }
        translatedDetailList->topLevelItem(row)->setText(1, outcome.text);
    }
    const QString paneError =
        RetranslatePane(*resultsTree, *translatedTree, *detailList, *translatedDetailList, language,
                        dictionaryBox->currentText(), icons_.value(kImageQuery));
    if (firstError.isEmpty()) {
        firstError = paneError;
    }
    if (!firstError.isEmpty()) {
        ShowMessage(this, firstError);
    }
}

}  // namespace window
