#include "platform/Drucker.h"

#include "core/Clock.h"
#include "platform/Dialogs.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>
#include <algorithm>

namespace {

QPageLayout::Orientation lage(Drucker::Ausrichtung a) {
    return a == Drucker::Ausrichtung::Querformat ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace

Drucker::~Drucker() = default;

QString Drucker::pdfName(const QString& was, const QDateTime& zeit) {
    QString name = was.trimmed();
    for (QChar& c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
            c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('"') ||
            c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('|') ||
            c.category() == QChar::Other_Control)
            c = QLatin1Char('-');
    if (name.isEmpty()) name = QStringLiteral("Ausdruck");
    return name + QLatin1Char(' ') + zeit.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) +
           QStringLiteral(".pdf");
}

std::unique_ptr<QPrinter> Drucker::pdfDrucker(const QString& datei, const QString& was,
                                              Ausrichtung a) {
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(datei);
    p->setDocName(was);
    p->setCreator(QStringLiteral("Kapito 3.6"));
    p->setPageSize(QPageSize(QPageSize::A4));
    p->setPageOrientation(lage(a));
    return p;
}

bool Drucker::drucken(const QString& was, Ausrichtung a,
                      const std::function<bool(QPrinter&, QPainter&)>& inhalt) {
    std::unique_ptr<QPrinter> p = einrichten(was, a);
    if (!p) return false;
    // Copies asked for in the print dialog that the printer does not make
    // itself (a print to a file) are printed one after the other.
    const int kopien = p->supportsMultipleCopies() ? 1 : std::max(1, p->copyCount());
    QPainter maler;
    bool ok = maler.begin(p.get());
    if (ok) {
        for (int k = 0; ok && k < kopien; ++k)
            ok = (k == 0 || p->newPage()) && inhalt(*p, maler);
        ok = maler.end() && ok;
    }
    ok = ok && p->printerState() != QPrinter::Error && p->printerState() != QPrinter::Aborted;
    abgeschlossen(was, *p, ok);
    return ok;
}

bool Drucker::dokument(const QString& was, const QTextDocument& vorlage, Ausrichtung a) {
    return drucken(was, a, [&vorlage](QPrinter& p, QPainter& maler) {
        // Laid out again in the printer's resolution, one page high each.
        const std::unique_ptr<QTextDocument> d(vorlage.clone());
        d->documentLayout()->setPaintDevice(&p);
        const QRectF seite = p.pageLayout().paintRectPixels(p.resolution());
        d->setPageSize(seite.size());
        const int seiten = d->pageCount();
        for (int i = 0; i < seiten; ++i) {
            if (i > 0 && !p.newPage()) return false;
            const QRectF ausschnitt(0, i * seite.height(), seite.width(), seite.height());
            maler.save();
            maler.translate(0, -ausschnitt.top());
            d->drawContents(&maler, ausschnitt);
            maler.restore();
        }
        return true;
    });
}

bool Drucker::seite(const QString& was, Ausrichtung a, const Maler& malen) {
    return drucken(was, a, [&malen](QPrinter& p, QPainter& maler) {
        const QRectF seite = p.pageLayout().paintRectPixels(p.resolution());
        malen(maler, QRectF(QPointF(0, 0), seite.size()));
        return true;
    });
}

bool Drucker::bild(const QString& was, const QImage& bild, Ausrichtung a) {
    return seite(was, a, [&bild](QPainter& maler, const QRectF& seite) {
        if (bild.isNull()) return;
        QSizeF groesse = bild.size();
        groesse.scale(seite.size(), Qt::KeepAspectRatio);
        maler.setRenderHint(QPainter::SmoothPixmapTransform);
        maler.drawImage(QRectF(QPointF((seite.width() - groesse.width()) / 2, 0), groesse), bild);
    });
}

// ---------------------------------------------------------------- Druckerwahl

Druckerwahl::~Druckerwahl() = default;

QStringList SystemDruckerwahl::namen() const {
    return QPrinterInfo::availablePrinterNames();
}

QString SystemDruckerwahl::standard() const {
    return QPrinterInfo::defaultPrinterName();
}

std::unique_ptr<QPrinter> SystemDruckerwahl::drucker(const QString& name) {
    return std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
}

bool SystemDruckerwahl::waehlen(QPrinter& drucker, QWidget* eltern) {
    QPrintDialog dialog(&drucker, eltern);
    // Every print is whole: no page range to offer.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    return dialog.exec() == QDialog::Accepted;
}

// ---------------------------------------------------------------- SystemDrucker

SystemDrucker::SystemDrucker(Dialogs& dialogs, const Clock& uhr, QString programmVerzeichnis,
                             QWidget* eltern, Druckerwahl* wahl)
    : m_dialogs(dialogs), m_uhr(uhr), m_verzeichnis(std::move(programmVerzeichnis)),
      m_eltern(eltern), m_wahl(wahl ? *wahl : m_systemWahl) {}

QString SystemDrucker::ausdruckOrdner() const {
    return QDir(m_verzeichnis).filePath(QStringLiteral("Ausdrucke"));
}

std::unique_ptr<QPrinter> SystemDrucker::einrichten(const QString& was, Ausrichtung a) {
    m_ersatzPdf = false;
    const QStringList namen = m_wahl.namen();
    if (!namen.isEmpty()) {
        // Without a default the first printer is offered.
        const QString standard = m_wahl.standard();
        auto p = m_wahl.drucker(namen.contains(standard) ? standard : namen.first());
        p->setDocName(was);
        p->setCreator(QStringLiteral("Kapito 3.6"));
        p->setPageOrientation(lage(a));
        if (namen.size() > 1 && !m_wahl.waehlen(*p, m_eltern)) return nullptr;
        return p;
    }
    // No printer installed: the print goes into a PDF file.
    const QString ordner = ausdruckOrdner();
    if (!QDir().mkpath(ordner) || !QFileInfo(ordner).isDir()) {
        m_dialogs.notice(m_eltern, QStringLiteral("Der Ordner \"%1\" für die Ausdrucke konnte "
                                                  "nicht angelegt werden.\nDer Ausdruck ist "
                                                  "fehlgeschlagen.")
                                       .arg(QDir::toNativeSeparators(ordner)));
        return nullptr;
    }
    const QString name = pdfName(was, m_uhr.now());
    QString datei = QDir(ordner).filePath(name);
    // Two prints in one second keep both files.
    for (int n = 2; QFileInfo::exists(datei); ++n)
        datei = QDir(ordner).filePath(name.chopped(4) + QStringLiteral(" (%1).pdf").arg(n));
    m_ersatzPdf = true;
    return pdfDrucker(datei, was, a);
}

void SystemDrucker::abgeschlossen(const QString&, QPrinter& drucker, bool ok) {
    const bool pdf = drucker.outputFormat() == QPrinter::PdfFormat;
    const QString datei = QDir::toNativeSeparators(drucker.outputFileName());
    if (!ok) {
        m_dialogs.notice(m_eltern,
                         pdf ? QStringLiteral("Der Ausdruck ist fehlgeschlagen.\nDie Datei \"%1\" "
                                              "konnte nicht geschrieben werden.")
                                   .arg(datei)
                             : QStringLiteral("Der Ausdruck ist fehlgeschlagen.\nBitte prüfen Sie "
                                              "den Drucker \"%1\".")
                                   .arg(drucker.printerName()));
        return;
    }
    if (m_ersatzPdf)
        m_dialogs.notice(m_eltern, QStringLiteral("Es ist kein Drucker eingerichtet.\nDer Ausdruck "
                                                  "wurde als PDF-Datei gespeichert:\n%1")
                                       .arg(datei));
}

// ---------------------------------------------------------------- PdfDrucker

PdfDrucker::PdfDrucker(QString ordner) : m_ordner(std::move(ordner)) {
    QDir().mkpath(m_ordner);
}

std::unique_ptr<QPrinter> PdfDrucker::einrichten(const QString& was, Ausrichtung a) {
    auto p = pdfDrucker(
        QDir(m_ordner).filePath(QStringLiteral("%1 %2.pdf").arg(auftraege.size() + 1).arg(was)),
        was, a);
    auftraege.append({was, a, p->outputFileName(), false});
    return p;
}

void PdfDrucker::abgeschlossen(const QString&, QPrinter&, bool ok) {
    auftraege.last().ok = ok;
}
