#include "proxy/proxy_form.h"

#include <QClipboard>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/cp1251.h"
#include "window/message_box.h"

namespace proxy {
namespace {

// What the user may type into a box: which characters and how many. Texts set by
// the program (from config.ini) are not limited.
class TypingFilter : public QObject {
  public:
    TypingFilter(QLineEdit* box, int maxLength, bool allowPoint)
        : QObject(box), box_(box), maxLength_(maxLength), allowPoint_(allowPoint) {
        box->installEventFilter(this);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setAcceptDrops(false);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_ || event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            const QClipboard* clipboard = QGuiApplication::clipboard();
            Insert(clipboard ? clipboard->text() : QString());
            return true;
        }
        if (key->key() == Qt::Key_Backspace) {
            return false;
        }
        const QString text = key->text();
        if (text.isEmpty() || text.at(0) < QChar(0x20) || text.at(0) == QChar(0x7F)) {
            return false;  // navigation, editing and shortcut keys behave as usual
        }
        Insert(text);
        return true;
    }

  private:
    bool Allowed(QChar c) const { return (c >= u'0' && c <= u'9') || (allowPoint_ && c == u'.'); }

    // Inserts the allowed characters of text at the cursor, as many as the limit leaves
    // room for after the selection is replaced.
    void Insert(const QString& text) {
        const qsizetype room = maxLength_ - (box_->text().size() - box_->selectedText().size());
        QString accepted;
        for (QChar c : text) {
            if (accepted.size() >= room) {
                break;
            }
            if (Allowed(c)) {
                accepted += c;
            }
        }
        if (!accepted.isEmpty()) {
            box_->insert(accepted);
        }
    }

    QLineEdit* box_;
    int maxLength_;
    bool allowPoint_;
};

}  // namespace

TProxyForm::TProxyForm(QWidget* parent, const QString& configPath)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      configPath_(configPath) {
    setObjectName(QStringLiteral("ProxyForm"));
    setWindowTitle(QStringLiteral("Proxy"));
    setFixedSize(275, 178);
    setSizeGripEnabled(false);

    grp_ = new QGroupBox(QStringLiteral("Proxy settings for Internet access"), this);
    grp_->setObjectName(QStringLiteral("grp1"));
    grp_->setGeometry(8, 4, 259, 133);

    rb1_ = new QRadioButton(QStringLiteral("Use the system configuration"), grp_);
    rb1_->setObjectName(QStringLiteral("rb1"));
    rb1_->setGeometry(12, 22, 235, 19);
    rb2_ = new QRadioButton(QStringLiteral("Use proxy"), grp_);
    rb2_->setObjectName(QStringLiteral("rb2"));
    rb2_->setGeometry(12, 46, 235, 19);
    // The file can leave neither choice selected, which an exclusive group cannot
    // show, so the two buttons are kept exclusive here.
    rb1_->setAutoExclusive(false);
    rb2_->setAutoExclusive(false);

    lbl1_ = new QLabel(QStringLiteral("Proxy:"), grp_);
    lbl1_->setObjectName(QStringLiteral("lbl1"));
    lbl1_->setGeometry(28, 76, 44, 19);
    edt1_ = new QLineEdit(QString::fromLatin1(kDefaultProxyAddress), grp_);
    edt1_->setObjectName(QStringLiteral("edt1"));
    edt1_->setGeometry(76, 74, 120, 22);
    lbl2_ = new QLabel(QStringLiteral("Port:"), grp_);
    lbl2_->setObjectName(QStringLiteral("lbl2"));
    lbl2_->setGeometry(28, 104, 44, 19);
    edt2_ = new QLineEdit(QStringLiteral("8080"), grp_);
    edt2_->setObjectName(QStringLiteral("edt2"));
    edt2_->setGeometry(76, 102, 60, 22);
    new TypingFilter(edt1_, 15, true);
    new TypingFilter(edt2_, 4, false);

    btn1_ = new QPushButton(QStringLiteral("OK"), this);
    btn1_->setObjectName(QStringLiteral("btn1"));
    btn1_->setGeometry(111, 145, 75, 25);
    btn1_->setDefault(true);
    btn2_ = new QPushButton(QStringLiteral("Cancel"), this);
    btn2_->setObjectName(QStringLiteral("btn2"));
    btn2_->setGeometry(192, 145, 75, 25);

    connect(rb1_, &QRadioButton::clicked, this, [this] { rb1Click(); });
    connect(rb2_, &QRadioButton::clicked, this, [this] { rb2Click(); });
    connect(btn1_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btn2_, &QPushButton::clicked, this, &QDialog::reject);

    rb1Click();
    LoadConfig();
}

void TProxyForm::rb1Click() {
    rb1_->setChecked(true);
    rb2_->setChecked(false);
    for (QWidget* w : {static_cast<QWidget*>(lbl1_), static_cast<QWidget*>(edt1_),
                       static_cast<QWidget*>(lbl2_), static_cast<QWidget*>(edt2_)}) {
        w->setEnabled(false);
    }
}

void TProxyForm::rb2Click() {
    rb2_->setChecked(true);
    rb1_->setChecked(false);
    for (QWidget* w : {static_cast<QWidget*>(lbl1_), static_cast<QWidget*>(edt1_),
                       static_cast<QWidget*>(lbl2_), static_cast<QWidget*>(edt2_)}) {
        w->setEnabled(true);
    }
}

void TProxyForm::ApplyState(const ProxyDialogState& state) {
    rb1_->setChecked(state.systemChecked);
    rb2_->setChecked(state.proxyChecked);
    for (QWidget* w : {static_cast<QWidget*>(lbl1_), static_cast<QWidget*>(edt1_),
                       static_cast<QWidget*>(lbl2_), static_cast<QWidget*>(edt2_)}) {
        w->setEnabled(state.boxesEnabled);
    }
    edt1_->setText(platform::FromCp1251(state.address));
    edt2_->setText(platform::FromCp1251(state.port));
}

ProxyDialogState TProxyForm::State() const {
    ProxyDialogState state;
    state.systemChecked = rb1_->isChecked();
    state.proxyChecked = rb2_->isChecked();
    state.boxesEnabled = edt1_->isEnabled();
    state.address = platform::ToCp1251(edt1_->text());
    state.port = platform::ToCp1251(edt2_->text());
    return state;
}

void TProxyForm::LoadConfig() {
    const ConfigLoadResult loaded = LoadConfigFile(configPath_, State());
    ApplyState(loaded.state);
    if (!loaded.error.isEmpty()) {
        window::ShowErrorReport(parentWidget(), loaded.error);
    }
}

void TProxyForm::ShowModal() {
    const ProxyDialogState before = State();
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - rect().center());
    }
    if (exec() != QDialog::Accepted) {
        ApplyState(before);  // Cancel and the close button undo every change
    }
}

worker::ProxySettings TProxyForm::Settings() const {
    return SettingsOf(State());
}

void TProxyForm::WriteConfig() const {
    WriteTextFile(configPath_, ConfigFileText(State()));
}

}  // namespace proxy
