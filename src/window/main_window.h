// TForm1: the program's one main window. The user types a query, presses "Find",
// watches the firms arrive in the left tree and double-clicks one to read its ten
// fields, on the left in Russian and on the right in their own language.
#pragma once

#include <QList>
#include <QMainWindow>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "worker/batch_queue.h"
#include "worker/proxy_settings.h"
#include "worker/records.h"
#include "worker/result_sink.h"
#include "worker/results_file.h"
#include "worker/thread_checkers.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace window {

class WindowSink;

// The item data role under which every node of the left tree keeps its icon index.
constexpr int kImageIndexRole = Qt::UserRole + 1;

class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    // serviceRoot: "http://host[:port]" of the register service; probeUrl: the page
    // fetched before each search to tell whether the machine is on-line.
    explicit TForm1(QWidget* parent = nullptr,
                    std::string serviceRoot = worker::DefaultServiceRoot(),
                    std::string probeUrl = VENDRAKE_PROBE_URL);
    ~TForm1() override;

    // --- Query entry ---
    void _edt1Change();
    void _edt2Change();
    void cbb1Change();
    void _edt3Change();
    void _edt4Change();
    void BoxLangChange();
    void ComboBox2Change();
    // The five request fragments of the typed query (Windows-1251).
    worker::TSearchFirm RequestFragments() const;

    // --- Search dispatch ---
    void N4Click();
    void SubItemsClear();
    // The query node's text for the typed query, passed through Windows-1251.
    QString QueryNodeText() const;
    int ThreadCount() const { return FThreadCount.load(); }
    void SetThreadCount(int value);
    void ChangeThreadCount(int delta);
    QString StatusText() const;

    // --- Results tree and detail lists ---
    void AddResultNode(worker::NodeHandle queryNode, const std::string& text, int imageIndex,
                       const std::optional<worker::TDataFirm>& record);
    void SetNodeText(worker::NodeHandle node, const std::string& text);
    void SetDataFirm(QTreeWidgetItem* ParentNode, QTreeWidgetItem* ChildNode,
                     const worker::TDataFirm& Value);
    void tv1DblClick();
    void LoadListVew();
    void LoadDataInListVew(const worker::TDataFirm& Value);
    // Empties the tree, the firm list and the left list's values, as a new search does.
    void ClearResults();
    // The firm list as the results file and the export see it.
    std::vector<worker::ResultEntry> ResultEntries() const;
    std::size_t FirmCount() const { return FDataFirm.size(); }

    // --- Batch lookups ---
    void N3Click();
    void LoadINN(const QString& path);
    void SearchOnOneEnterString();

    // --- Saving, copying, export, proxy ---
    void btn3Click();
    void N1Click();
    void N2Click();
    void ExportClick();
    void ExportTo(const QString& path);
    void btn4Click();
    void AboutClick();

    // Where "Save..." writes; empty until the first save or list loading.
    QString ResultFileName;

  protected:
    void closeEvent(QCloseEvent* event) override;  // FormClose
    void showEvent(QShowEvent* event) override;

  private:
    void BuildLayout();
    QWidget* BuildEntryGroup();
    QWidget* BuildParameterGroup();
    QWidget* BuildRequestGroup();
    QWidget* BuildResultsArea();
    void BuildMenus();
    void ConnectHandlers();
    void FormCreate();
    void FormCreateSteps();
    void RestoreSelections(const QString& langTransliteration, const QString& langDict,
                           const QString& langDict2);
    void SetStatus(const QString& text);
    void SetPm1Enabled(bool on);
    void WriteChoice(const QString& name, const QString& value);
    QString Mirror(const QString& source) const;
    worker::ProxySettings CurrentProxySettings() const;
    worker::NodeHandle AddQueryNode(const QString& text);
    QTreeWidgetItem* NodeOf(worker::NodeHandle handle) const;
    void SetImage(QTreeWidgetItem* item, int imageIndex) const;
    void WriteFileOrThrow(const QString& path, const std::string& bytes) const;

    std::string serviceRoot_;
    std::string probeUrl_;
    std::shared_ptr<WindowSink> sink_;
    std::unique_ptr<worker::BatchQueue> batch_;
    QList<QIcon> il1;
    QString openDialogDir_;  // dlgOpen1's initial folder
    bool closed_ = false;
    bool dispatching_ = false;  // a search is between its probe and its worker start
    bool centred_ = false;

    std::atomic<int> FThreadCount{0};

    // The firm list: entry i of each sequence describes the same firm.
    std::vector<worker::TDataFirm> FDataFirm;
    std::vector<QTreeWidgetItem*> FChildNode;
    std::vector<QTreeWidgetItem*> FParentNode;

    // Query nodes by handle; cleared with the tree, so a worker's late delivery for
    // a removed node finds nothing and is dropped.
    std::unordered_map<worker::NodeHandle, QTreeWidgetItem*> nodes_;
    worker::NodeHandle nextHandle_ = 1;

    // Controls, named as in the form.
    QLineEdit* _edt1 = nullptr;
    QLineEdit* _edt2 = nullptr;
    QComboBox* cbb1 = nullptr;
    QLineEdit* _edt3 = nullptr;
    QToolButton* dtp1 = nullptr;
    QLineEdit* _edt4 = nullptr;
    QComboBox* BoxLang = nullptr;
    QComboBox* BoxLangTranslate = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QPushButton* Button1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTreeWidget* tv1 = nullptr;
    QTreeWidget* lv1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QLabel* statusPanel0_ = nullptr;
    QLabel* statusPanel1_ = nullptr;
    QMenu* pm1 = nullptr;
    QMenu* pm2 = nullptr;
};

}  // namespace window
