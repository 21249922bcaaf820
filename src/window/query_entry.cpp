// Query entry: the typed criteria and their read-only mirrors.
#include <QComboBox>
#include <QLineEdit>

#include "platform/cp1251.h"
#include "translit/translit.h"
#include "window/main_window.h"
#include "window/regions.h"
#include "window/register_numbers.h"

namespace window {
namespace {

void SetIfChanged(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        edit->setText(text);
    }
}

}  // namespace

// The source text converted with the language of BoxLang; a failed conversion
// leaves the empty starting result. Empty text needs no rules.
QString TForm1::Mirror(const QString& source) const {
    QString result;
    if (!source.isEmpty()) {
        translit::Transliterate(source, BoxLang->currentText(), result);
    }
    return result;
}

void TForm1::_edt1Change() {
    SetIfChanged(Edit1, Mirror(_edt1->text()));
}

void TForm1::_edt2Change() {
    SetIfChanged(Edit2, Mirror(_edt2->text()));
}

void TForm1::cbb1Change() {
    SetIfChanged(Edit6, Mirror(cbb1->currentText()));
}

void TForm1::_edt3Change() {
    SetIfChanged(Edit3, _edt3->text());
}

// Besides the copy, an INN or OGRN whose check digit is wrong is marked; the search
// is not blocked, as the register may still know the number.
void TForm1::_edt4Change() {
    const QString text = _edt4->text();
    SetIfChanged(Edit4, text);
    const std::string digits = text.toStdString();
    if (CheckRegisterNumber(digits) == NumberCheck::Invalid) {
        _edt4->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid red; }"));
        _edt4->setToolTip(text.size() == 13
                              ? QStringLiteral("The check digit of this OGRN does not match")
                              : QStringLiteral("The check digit of this INN does not match"));
    } else {
        _edt4->setStyleSheet(QString());
        _edt4->setToolTip(QString());
    }
}

worker::TSearchFirm TForm1::RequestFragments() const {
    worker::TSearchFirm sf;
    sf.Name = "name=" + platform::ToCp1251(Edit1->text());
    sf.Adress = "&adr=" + platform::ToCp1251(Edit2->text());
    sf.Region = "&region=" + platform::ToCp1251(RegionRequestValue(cbb1->currentIndex()));
    sf.Date = "&date=" + platform::ToCp1251(Edit3->text());
    sf.OGRN = "&num=" + platform::ToCp1251(Edit4->text());
    return sf;
}

}  // namespace window
