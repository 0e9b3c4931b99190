#include "app/KartenAnsicht.h"

#include "app/Steuerelemente.h"
#include "core/Bewertung.h"
#include "core/ModulAktien.h"
#include "core/Numbers.h"
#include "db/Recordset.h"
#include "platform/RtfText.h"
#include "platform/Wertanzeige.h"

#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QMouseEvent>
#include <QStyle>
#include <QTextEdit>

KartenAnsicht::KartenAnsicht(const ModulAktien& modul, QWidget* parent)
    : QFrame(parent), m_modul(modul) {
    setObjectName(QStringLiteral("Karte"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(22, 16, 22, 16);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(8);

    // Heading: name with its picture, number and date.
    Labelaktie = neuesLabel(QStringLiteral("Labelaktie"), QString(), this);
    Labelaktie->setToolTip(QStringLiteral(" Aktien-/ Fondbezeichnung "));
    QFont titel = Labelaktie->font();
    titel.setPointSizeF(titel.pointSizeF() * 1.6);
    titel.setBold(true);
    Labelaktie->setFont(titel);
    Labelaktie->setStyleSheet(QStringLiteral("color: #1d2b4f;"));
    Image1 = neuesLabel(QStringLiteral("Image1"), QString(), this);
    Image1->setPixmap(QIcon(QStringLiteral(":/app/icons/aktie.png")).pixmap(28, 28));
    auto* kopf = new QHBoxLayout;
    kopf->setSpacing(8);
    kopf->addWidget(Labelaktie);
    kopf->addWidget(Image1); // follows the end of the name
    kopf->addStretch();
    grid->addLayout(kopf, 0, 0, 1, 5);

    LabelWPKN = neuesLabel(QStringLiteral("LabelWPKN"), QStringLiteral("WPKN"), this);
    LabelWPKN->setProperty("beschriftung", true);
    Label8 = neuesLabel(QStringLiteral("Label8"), QString(), this);
    Label8->setToolTip(QStringLiteral(" Wertpapier-Kennummer "));
    Label23 = neuesLabel(QStringLiteral("Label23"), QStringLiteral("Aktualisiert"), this);
    Label23->setProperty("beschriftung", true);
    Labeldatum = neuesLabel(QStringLiteral("Labeldatum"), QString(), this);
    Labeldatum->setToolTip(QStringLiteral(" Letzte Aktualisierung "));
    wertanzeige(Label8, LabelWPKN->text());
    wertanzeige(Labeldatum, Label23->text());
    auto* zeile = new QHBoxLayout;
    zeile->setSpacing(8);
    zeile->addWidget(LabelWPKN);
    zeile->addWidget(Label8);
    zeile->addSpacing(28);
    zeile->addWidget(Label23);
    zeile->addWidget(Labeldatum);
    zeile->addStretch();
    grid->addLayout(zeile, 1, 0, 1, 5);

    Label19 = neuesLabel(QStringLiteral("Label19"), QStringLiteral("Wertpapierdaten"), this);
    Label19->setProperty("abschnitt", true);
    Label20 = neuesLabel(QStringLiteral("Label20"), QStringLiteral("Werte in Euro"), this);
    Label20->setProperty("abschnitt", true);
    grid->addWidget(Label19, 2, 0, 1, 2);
    grid->addWidget(Label20, 2, 3, 1, 2);
    grid->setRowMinimumHeight(2, 34);
    grid->setAlignment(Label19, Qt::AlignBottom);
    grid->setAlignment(Label20, Qt::AlignBottom);

    // A caption beside its value, which is read with it.
    auto beschriftung = [this](const char* name, const char* text, QLabel* wert) {
        QLabel* l = neuesLabel(QString::fromLatin1(name), QString::fromUtf8(text), this);
        l->setProperty("beschriftung", true);
        wertanzeige(wert, l->text());
        return l;
    };
    Labelstueck = wertLabel(QStringLiteral("Labelstück"), this);
    Labelkaufpreis = wertLabel(QStringLiteral("Labelkaufpreis"), this);
    Labelgebuehren = wertLabel(QStringLiteral("Labelgebühren"), this);
    LabelGekauf = wertLabel(QStringLiteral("LabelGekauf"), this);
    Labeltageskurs = wertLabel(QStringLiteral("Labeltageskurs"), this);
    Labeltageskurs->setCursor(Qt::PointingHandCursor);
    LabelAktwert = wertLabel(QStringLiteral("LabelAktwert"), this);
    Labelgewinn = wertLabel(QStringLiteral("Labelgewinn"), this);
    Labelkursdiff = wertLabel(QStringLiteral("Labelkursdiff"), this);
    Label21 = wertLabel(QStringLiteral("Label21"), this);
    Label21->setToolTip(QStringLiteral(" Differenz in % zum Vortag "));
    // The change has no caption on the card; it is read with one.
    wertanzeige(Labelkursdiff, QStringLiteral("Differenz zum Vortag"));
    wertanzeige(Label21, Label21->toolTip());

    grid->addWidget(beschriftung("Label5", "Stück", Labelstueck), 3, 0);
    grid->addWidget(Labelstueck, 3, 1);
    grid->addWidget(beschriftung("Label6", "Kaufkurs", Labelkaufpreis), 4, 0);
    grid->addWidget(Labelkaufpreis, 4, 1);
    grid->addWidget(beschriftung("Label1", "Gebühren", Labelgebuehren), 5, 0);
    grid->addWidget(Labelgebuehren, 5, 1);
    grid->addWidget(beschriftung("Label7", "Gesamt - Kaufpreis", LabelGekauf), 6, 0);
    grid->addWidget(LabelGekauf, 6, 1);

    grid->addWidget(beschriftung("Label9", "Tageskurs", Labeltageskurs), 3, 3);
    grid->addWidget(Labeltageskurs, 3, 4);
    grid->addWidget(beschriftung("Label11", "   Aktueller Wert", LabelAktwert), 4, 3);
    grid->addWidget(LabelAktwert, 4, 4);
    grid->addWidget(beschriftung("Label30", "  Gewinn / Verlust", Labelgewinn), 5, 3);
    grid->addWidget(Labelgewinn, 5, 4);
    auto* diff = new QHBoxLayout;
    diff->setSpacing(10);
    diff->addStretch();
    diff->addWidget(Labelkursdiff);
    diff->addWidget(Label21);
    Labelkursdiff->setMinimumWidth(0);
    Label21->setMinimumWidth(0);
    grid->addLayout(diff, 6, 3, 1, 2);

    Label2 = neuesLabel(QStringLiteral("Label2"), QStringLiteral("Kurs editieren = Feld anklicken"),
                        this);
    Label2->setCursor(Qt::PointingHandCursor);
    // Over both right columns: the value column stays narrow on a small screen.
    grid->addWidget(Label2, 7, 3, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setColumnMinimumWidth(2, 36);

    Label16 = neuesLabel(QStringLiteral("Label16"),
                         QStringLiteral("Spekulationsfrist ist abgelaufen!"), this);
    Labelkursziel = neuesLabel(QStringLiteral("Labelkursziel"), QString(), this);
    Label16->hide();
    Labelkursziel->hide();
    auto* alarme = new QHBoxLayout;
    alarme->setSpacing(10);
    alarme->addWidget(Label16);
    alarme->addWidget(Labelkursziel);
    alarme->addStretch();
    grid->addLayout(alarme, 8, 0, 1, 5);
    grid->setRowMinimumHeight(8, 30);

    Label15 = neuesLabel(QStringLiteral("Label15"), QStringLiteral("Notizen"), this);
    Label15->setProperty("abschnitt", true);
    Command3 = befehl(QStringLiteral("Command3"), QStringLiteral("Bearbeiten"),
                      QStringLiteral(" Notizen bearbeiten "), this);
    Command3->setIcon(QIcon(QStringLiteral(":/app/icons/bearbeiten.png")));
    Command4 = befehl(QStringLiteral("Command4"), QStringLiteral("Speichern"),
                      QStringLiteral(" Notizen speichern "), this);
    Command4->setIcon(QIcon(QStringLiteral(":/app/icons/speichern.png")));
    Command4->setEnabled(false);
    auto* notizKopf = new QHBoxLayout;
    notizKopf->addWidget(Label15, 1);
    notizKopf->addWidget(Command3);
    notizKopf->addWidget(Command4);
    grid->addLayout(notizKopf, 9, 0, 1, 5);

    Text1 = new QTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setToolTip(QStringLiteral(" Raum für Notizen zur Aktie "));
    Text1->setAccessibleName(QStringLiteral("Notizen"));
    Text1->setReadOnly(true);
    Text1->setAcceptRichText(true);
    Text1->setStyleSheet(QStringLiteral("QTextEdit { border: 1px solid #dde2ea; background: white;"
                                        " color: black; }"
                                        "QTextEdit[readOnly=\"true\"] { background: #f7f8fa; }"));
    grid->addWidget(Text1, 10, 0, 1, 5);
    grid->setRowStretch(10, 1);

    // DM tips float over the card, right-aligned under the value they belong to.
    Label12 = neuesLabel(QStringLiteral("Label12"), QString(), this);
    Label13 = neuesLabel(QStringLiteral("Label13"), QString(), this);
    Label12->hide();
    Label13->hide();

    m_hinweise.insert(Label8, QStringLiteral(" Wertpapier - Kennummer"));
    m_hinweise.insert(Labeldatum, QStringLiteral(" Datum der letzten Aktualisierung"));
    m_hinweise.insert(Command3, QStringLiteral(" Notizen bearbeiten"));
    m_hinweise.insert(Command4, QStringLiteral(" Notizen speichern"));
    for (QWidget* w : {static_cast<QWidget*>(Label8), static_cast<QWidget*>(Labeldatum),
                       static_cast<QWidget*>(Command3), static_cast<QWidget*>(Command4),
                       static_cast<QWidget*>(Label2), static_cast<QWidget*>(Text1),
                       static_cast<QWidget*>(Labelkaufpreis), static_cast<QWidget*>(Labelgebuehren),
                       static_cast<QWidget*>(LabelGekauf), static_cast<QWidget*>(Labeltageskurs),
                       static_cast<QWidget*>(Labelkursdiff), static_cast<QWidget*>(LabelAktwert),
                       static_cast<QWidget*>(Labelgewinn)})
        w->installEventFilter(this);
    Text1->viewport()->installEventFilter(this);

    connect(Command3, &QPushButton::clicked, this, &KartenAnsicht::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &KartenAnsicht::Command4_Click);
}

void KartenAnsicht::fuellen(const Recordset& r, qint64 spekufristMonate, const QDate& heute) {
    if (!r.hasCurrent()) {
        // The computed labels keep their texts; the bound ones are empty.
        for (QLabel* l : {Labelaktie, Label8, Labeldatum, Labelstueck})
            l->clear();
        if (!m_notizenOffen) Text1->clear();
        return;
    }

    // Speculation period: months × 30.4 days (12 months are over after 365 days).
    const double frist = static_cast<double>(spekufristMonate) * 30.4;
    const QDate kauf = r.date(QStringLiteral("kaufdatum"));
    Label16->setVisible(kauf.isValid() && static_cast<double>(kauf.daysTo(heute)) >= frist);

    // Price alerts; 0 means not set, the target is tested first.
    Labelkursziel->hide();
    const double ziel = r.real(QStringLiteral("kursziel"));
    const double stop = r.real(QStringLiteral("stopkurs"));
    const double kurs = r.currency(QStringLiteral("tageskurs")).toDouble();
    if (ziel > 0 && kurs >= ziel) {
        Labelkursziel->setText(QStringLiteral("Kursziel ist erreicht"));
        Labelkursziel->show();
    } else if (stop > 0 && kurs <= stop) {
        Labelkursziel->setText(QStringLiteral("Stopkurs ist erreicht"));
        Labelkursziel->show();
    }

    PaketWerte p;
    p.stueck = static_cast<qint32>(r.integer(QStringLiteral("stück")));
    p.kaufpreis = r.currency(QStringLiteral("kaufpreis"));
    p.gebuehren = r.currency(QStringLiteral("gebühren"));
    p.tageskurs = r.currency(QStringLiteral("tageskurs"));
    p.altkurs = r.currency(QStringLiteral("altkurs"));
    Labelkaufpreis->setText(p.kaufpreis.format00());
    Labelgebuehren->setText(p.gebuehren.format00());
    Labeltageskurs->setText(p.tageskurs.format00());

    const PaketBewertung b = bewerte(p);
    const auto betrag = [&b](Currency c) { return b.ueberlauf ? zuGrossAnzeige() : c.format00(); };
    Labelkursdiff->setText(betrag(b.kursdiff));
    // Without a previous quote there is no percentage.
    Label21->setText(b.prozent
                         ? Numbers::format00(static_cast<double>(*b.prozent)) + QStringLiteral(" %")
                         : QString());
    LabelGekauf->setText(betrag(b.kaufwert));
    LabelAktwert->setText(betrag(b.aktwert));
    Labelgewinn->setText(betrag(b.gewinn));
    betragsfarbeSetzen(Labelgewinn);
    betragsfarbeSetzen(Labelkursdiff);

    Labelaktie->setText(r.text(QStringLiteral("aktie")));
    Label8->setText(r.text(QStringLiteral("WP-KNummer")));
    Labeldatum->setText(r.text(QStringLiteral("datum")));
    Labelstueck->setText(r.text(QStringLiteral("stück")));
    // Notes being typed are not overwritten.
    if (!m_notizenOffen) RtfText::setRtf(Text1, r.text(QStringLiteral("notizen")));
}

void KartenAnsicht::setKopfSichtbar(bool sichtbar) {
    for (QWidget* w : {static_cast<QWidget*>(Labelaktie), static_cast<QWidget*>(Label8),
                       static_cast<QWidget*>(Labeldatum), static_cast<QWidget*>(LabelWPKN),
                       static_cast<QWidget*>(Label23), static_cast<QWidget*>(Image1)})
        w->setVisible(sichtbar);
}

void KartenAnsicht::setNotizenBearbeiten(bool an) {
    m_notizenOffen = an;
    Command4->setEnabled(an);
    Command3->setEnabled(!an);
    Text1->setReadOnly(!an);
    Text1->style()->unpolish(Text1);
    Text1->style()->polish(Text1);
    if (an) Text1->setFocus();
}

void KartenAnsicht::setNotizenMoeglich(bool paketDa) {
    Command3->setEnabled(paketDa && !Command4->isEnabled());
}

void KartenAnsicht::nachBerichtZeigen() {
    Label2->hide();
    Label8->show();
    Labeldatum->show();
}

QString KartenAnsicht::aktie() const {
    return Labelaktie->text();
}

QString KartenAnsicht::tageskurs() const {
    return Labeltageskurs->text();
}

void KartenAnsicht::Command3_Click() {
    emit notizenBeginnen();
}

void KartenAnsicht::Command4_Click() {
    // Taken before anything moves: the card refills the notes on a move.
    emit notizenSpeichern(Text1->toPlainText().isEmpty() ? QStringLiteral(".")
                                                         : RtfText::rtf(Text1));
}

void KartenAnsicht::dmTippsVerbergen() {
    Label12->hide();
    Label13->hide();
}

void KartenAnsicht::zeigeDmTipp(QLabel* wert, QLabel* tipp) {
    tipp->setText(Numbers::dmEquivalentText(wert->text()));
    const int breite =
        std::max(tipp->sizeHint().width(), wert->fontMetrics().horizontalAdvance(wert->text()) + 8);
    tipp->resize(breite, tipp->sizeHint().height());
    const QPoint rechtsUnten = wert->mapTo(this, QPoint(wert->width(), wert->height()));
    tipp->move(rechtsUnten.x() - breite, rechtsUnten.y());
    tipp->raise();
    tipp->show();
}

bool KartenAnsicht::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type t = event->type();
    if (t == QEvent::Enter || t == QEvent::MouseMove) {
        if (watched == Text1 || watched == Text1->viewport()) {
            dmTippsVerbergen();
            return false;
        }
        if (t == QEvent::Enter) {
            if (const auto it = m_hinweise.constFind(watched); it != m_hinweise.constEnd())
                emit hinweis(*it);
            const bool dm = m_modul.DMAnzeige == 1;
            for (QLabel* l : {Labelkaufpreis, Labelgebuehren, LabelGekauf})
                if (watched == l && dm) zeigeDmTipp(l, Label12);
            for (QLabel* l : {Labeltageskurs, Labelkursdiff, LabelAktwert, Labelgewinn})
                if (watched == l && dm) zeigeDmTipp(l, Label13);
            if (!dm) {
                if (watched == Labeltageskurs)
                    emit hinweis(QStringLiteral(" Zum aktualisieren bitte Feld anklicken"));
                else if (watched == Labelkursdiff)
                    emit hinweis(QStringLiteral(
                        " Kursdifferenz zur letzten Aktualisierung in %, Euro und DM"));
            }
        }
    } else if (t == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
               (watched == Labeltageskurs || watched == Label2)) {
        emit kursAngeklickt();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
