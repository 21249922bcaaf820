// The results tree, the firm list and the two detail lists.
#include <QComboBox>
#include <QTreeWidget>

#include "platform/cp1251.h"
#include "translit/translit.h"
#include "window/image_list.h"
#include "window/main_window.h"
#include "window/translated_pane.h"

namespace window {
namespace {

// The record's fields in the order of the detail lists' rows.
std::vector<const std::string*> RowFields(const worker::TDataFirm& f) {
    return {&f.Name, &f.Adress,  &f.OGRN,  &f.GRN,         &f.INN,
            &f.KPP,  &f.DateGRN, &f.Organ, &f.AdressOrgan, &f.Region};
}

template <typename T>
void ReserveOneMore(std::vector<T>& list) {
    if (list.size() == list.capacity()) {
        list.reserve(list.capacity() < 64 ? 64 : list.capacity() * 2);
    }
}

}  // namespace

void TForm1::SetImage(QTreeWidgetItem* item, int imageIndex) const {
    item->setIcon(0, il1.value(imageIndex));
    item->setData(0, kImageIndexRole, imageIndex);
}

worker::NodeHandle TForm1::AddQueryNode(const QString& text) {
    auto* item = new QTreeWidgetItem(tv1, {text});
    SetImage(item, kImageQuery);
    const worker::NodeHandle handle = nextHandle_++;
    item->setData(0, Qt::UserRole, QVariant::fromValue<qulonglong>(handle));
    nodes_[handle] = item;
    return handle;
}

QTreeWidgetItem* TForm1::NodeOf(worker::NodeHandle handle) const {
    const auto found = nodes_.find(handle);
    return found == nodes_.end() ? nullptr : found->second;
}

void TForm1::AddResultNode(worker::NodeHandle queryNode, const std::string& text, int imageIndex,
                           const std::optional<worker::TDataFirm>& record) {
    QTreeWidgetItem* parent = NodeOf(queryNode);
    if (parent == nullptr) {
        return;  // the node was removed by a newer search
    }
    SetImage(parent, imageIndex);
    auto* child = new QTreeWidgetItem(parent, {platform::FromCp1251(text)});
    SetImage(child, imageIndex);
    if (record) {
        SetDataFirm(parent, child, *record);
    }
}

void TForm1::SetNodeText(worker::NodeHandle node, const std::string& text) {
    if (QTreeWidgetItem* item = NodeOf(node)) {
        item->setText(0, platform::FromCp1251(text));
    }
}

void TForm1::SetDataFirm(QTreeWidgetItem* ParentNode, QTreeWidgetItem* ChildNode,
                         const worker::TDataFirm& Value) {
    // Reserve first so that the three appends cannot fail half-way. The room grows
    // by doubling: growing by one entry would copy the whole list for every firm.
    ReserveOneMore(FDataFirm);
    ReserveOneMore(FChildNode);
    ReserveOneMore(FParentNode);
    FDataFirm.push_back(Value);
    FChildNode.push_back(ChildNode);
    FParentNode.push_back(ParentNode);
}

void TForm1::SubItemsClear() {
    for (int row = 0; row < lv1->topLevelItemCount(); ++row) {
        lv1->topLevelItem(row)->setText(1, QString());
    }
    SetPm1Enabled(false);
}

void TForm1::ClearResults() {
    batch_.reset();  // queued batch lines not yet started are dropped with their nodes
    tv1->clear();
    nodes_.clear();
    FDataFirm.clear();
    FChildNode.clear();
    FParentNode.clear();
    SubItemsClear();
}

std::vector<worker::ResultEntry> TForm1::ResultEntries() const {
    std::vector<worker::ResultEntry> entries;
    entries.reserve(FDataFirm.size());
    for (std::size_t i = 0; i < FDataFirm.size(); ++i) {
        entries.push_back({platform::ToCp1251(FParentNode[i]->text(0)),
                           platform::ToCp1251(FChildNode[i]->text(0)), FDataFirm[i]});
    }
    return entries;
}

void TForm1::tv1DblClick() {
    LoadListVew();
}

// The record of the selected node itself (not of a node with the same text); query
// and message nodes have none and leave both lists as they are.
void TForm1::LoadListVew() {
    const QList<QTreeWidgetItem*> selected = tv1->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    for (std::size_t i = 0; i < FChildNode.size(); ++i) {
        if (FChildNode[i] == selected.first()) {
            const worker::TDataFirm record = FDataFirm[i];
            LoadDataInListVew(record);
            return;
        }
    }
}

void TForm1::LoadDataInListVew(const worker::TDataFirm& Value) {
    const std::vector<const std::string*> fields = RowFields(Value);
    for (int row = 0; row < lv1->topLevelItemCount() && row < int(fields.size()); ++row) {
        lv1->topLevelItem(row)->setText(1, platform::FromCp1251(*fields[row]));
    }
    // The right pane is filled as one unit: an error ends it silently.
    try {
        const QString language = ComboBox2->currentText();
        for (int row = 0; row < ListView1->topLevelItemCount() && row < int(fields.size()); ++row) {
            QString result;
            translit::Transliterate(platform::FromCp1251(*fields[row]), language, result);
            ListView1->topLevelItem(row)->setText(1, result);
        }
        RetranslatePane(*tv1, *TreeView1, *lv1, *ListView1, language,
                        BoxLangTranslate->currentText(), il1.value(kImageQuery));
    } catch (...) {
    }
}

}  // namespace window
