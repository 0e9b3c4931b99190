#pragma once
// The printer. Every print of the program goes through this seam: a text
// document printed page after page (reports, order form, watch report) or
// one page drawn by the caller (a chart, a picture). The production printer
// is the system's only printer, or the one the user chooses in the print
// dialog when there are several; on a machine without any printer the print
// becomes a PDF file in the program directory's "Ausdrucke" folder and the
// user is told where it is. Tests print into PDF files.

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Clock;
class Dialogs;
class QDateTime;
class QImage;
class QPainter;
class QPrinter;
class QTextDocument;
class QWidget;

class Drucker {
public:
    enum class Ausrichtung { Hochformat, Querformat };
    /// Draws one page; seite is the printable rectangle in device pixels,
    /// with the painter's origin at its top left corner.
    using Maler = std::function<void(QPainter& maler, const QRectF& seite)>;

    virtual ~Drucker();

    /// Prints a copy of the document page after page, laid out on the page
    /// width. was names the print ("Bericht Kurzfassung") as job and file
    /// name. False when nothing was printed: the print failed, and the user
    /// has been told, or he cancelled the print dialog.
    bool dokument(const QString& was, const QTextDocument& vorlage, Ausrichtung a);
    /// Prints one page that malen draws.
    bool seite(const QString& was, Ausrichtung a, const Maler& malen);
    /// Prints a picture on one page, as large as fits, keeping its proportions.
    bool bild(const QString& was, const QImage& bild, Ausrichtung a);

    /// "<was> <yyyy-MM-dd HH-mm-ss>.pdf" with characters a file name may not
    /// hold replaced.
    static QString pdfName(const QString& was, const QDateTime& zeit);

protected:
    /// A printer set up for one print, or nullptr when there is none (the
    /// reason has been reported) or the user cancelled.
    virtual std::unique_ptr<QPrinter> einrichten(const QString& was, Ausrichtung a) = 0;
    /// Called after every print that had a printer: ok = the whole print went out.
    virtual void abgeschlossen(const QString& was, QPrinter& drucker, bool ok) = 0;

    /// A PDF printer writing to datei (A4).
    static std::unique_ptr<QPrinter> pdfDrucker(const QString& datei, const QString& was,
                                                Ausrichtung a);

private:
    bool drucken(const QString& was, Ausrichtung a,
                 const std::function<bool(QPrinter&, QPainter&)>& inhalt);
};

/// The installed printers and the user's choice among them, behind a seam:
/// the program asks the print system and shows Qt's print dialog; tests
/// script the printers and the user's answer.
class Druckerwahl {
public:
    virtual ~Druckerwahl();
    /// The names of the installed printers.
    virtual QStringList namen() const = 0;
    /// The default printer's name; empty when none is set.
    virtual QString standard() const = 0;
    /// A printer for the installed printer of that name.
    virtual std::unique_ptr<QPrinter> drucker(const QString& name) = 0;
    /// The print dialog on drucker, opened on its printer and page
    /// orientation; the user may choose another printer and settings there.
    /// False when he cancels.
    virtual bool waehlen(QPrinter& drucker, QWidget* eltern) = 0;
};

/// The print system's printers and Qt's print dialog.
class SystemDruckerwahl final : public Druckerwahl {
public:
    QStringList namen() const override;
    QString standard() const override;
    std::unique_ptr<QPrinter> drucker(const QString& name) override;
    bool waehlen(QPrinter& drucker, QWidget* eltern) override;
};

/// The program's printer: with one printer installed it prints there at
/// once; with several the print dialog opens on the default printer; with
/// none the print becomes a PDF file in "<programmVerzeichnis>/Ausdrucke"
/// with a German message where it is. Failures are reported in German.
class SystemDrucker final : public Drucker {
public:
    /// wahl: the printers to choose from; nullptr = the print system's.
    SystemDrucker(Dialogs& dialogs, const Clock& uhr, QString programmVerzeichnis,
                  QWidget* eltern = nullptr, Druckerwahl* wahl = nullptr);

    /// The folder PDF prints go to.
    QString ausdruckOrdner() const;

protected:
    std::unique_ptr<QPrinter> einrichten(const QString& was, Ausrichtung a) override;
    void abgeschlossen(const QString& was, QPrinter& drucker, bool ok) override;

private:
    Dialogs& m_dialogs;
    const Clock& m_uhr;
    QString m_verzeichnis;
    QWidget* m_eltern;
    SystemDruckerwahl m_systemWahl;
    Druckerwahl& m_wahl;
    bool m_ersatzPdf = false; ///< the current print goes to "Ausdrucke" for want of a printer
};

/// For tests and measurements: every print becomes a PDF file in a folder,
/// numbered in order; the prints are recorded, nothing is shown.
class PdfDrucker final : public Drucker {
public:
    struct Auftrag {
        QString was;
        Ausrichtung ausrichtung;
        QString datei;
        bool ok;
    };

    explicit PdfDrucker(QString ordner);

    QList<Auftrag> auftraege;

protected:
    std::unique_ptr<QPrinter> einrichten(const QString& was, Ausrichtung a) override;
    void abgeschlossen(const QString& was, QPrinter& drucker, bool ok) override;

private:
    QString m_ordner;
};
