#pragma once
// The pocket calculator's engine: what each key does to the display, the
// operands and the pending operator, and the DM/Euro conversion of the
// result. The window only forwards its buttons here and shows the texts.

#include <QString>

class Rechenwerk final {
public:
    /// Kind of the last key that changed the state.
    enum class Eingabe { Keine, Zahl, Operator, Minus, Geloescht };
    /// Option1: the result is shown converted into Euro (÷ 1.95583);
    /// Option2: into DM (× 1.95583).
    enum class Richtung { InEuro, InDm };

    static QString titel() { return QStringLiteral("Rechner"); }
    static QString nullDivisionText() {
        return QStringLiteral("Division durch Null ist nicht möglich");
    }
    static QString zuGrossText() {
        return QStringLiteral("Das Ergebnis ist zu groß für den Rechner.");
    }

    Rechenwerk();

    /// Digit key 0 … 9.
    void ziffer(int d);
    /// The decimal comma key.
    void komma();
    /// One of '/', '+', 'X', '-', '='. Returns the message to show with the
    /// title "Rechner" (empty when none); the calculation then goes on with
    /// the unchanged first operand.
    QString rechenzeichen(QChar o);
    /// "%": the display divided by 100, to be multiplied by the first operand.
    void prozent();
    /// "C": everything back to the start.
    void allesLoeschen();
    /// "CE": only the current entry.
    void eingabeLoeschen();
    /// Option1 / Option2: display and conversion start again at "0,"; the
    /// operands stay.
    void setRichtung(Richtung r);

    QString anzeige() const { return m_anzeige; }         ///< Readout
    QString umgerechnet() const { return m_umgerechnet; } ///< Label1
    QString einheitAnzeige() const;                       ///< Label3: "DM" or "EU"
    QString einheitUmgerechnet() const;                   ///< Label4: "EU" or "DM"
    bool optionenFrei() const { return m_optionenFrei; }  ///< Option1/2 enabled
    Richtung richtung() const { return m_richtung; }

    Eingabe letzteEingabe() const { return m_letzte; }
    int operanden() const { return m_operanden; }
    QChar offenerOperator() const { return m_offen; } ///< ' ' at the start
    double ersterOperand() const { return m_op1; }

    /// The plain text form of a number: up to 15 significant digits, decimal
    /// comma, no trailing zeros ("12", "6,13549...", "-0,5").
    static QString klartext(double v);
    /// Reads a display text ("12,", "-0,5", "1e+20"); unreadable text is 0.
    static double wert(const QString& anzeige);

private:
    void umrechnen();

    QString m_anzeige;
    QString m_umgerechnet;
    double m_op1 = 0;
    double m_op2 = 0;
    bool m_komma = false;
    int m_operanden = 0;
    Eingabe m_letzte = Eingabe::Keine;
    QChar m_offen = QLatin1Char(' ');
    Richtung m_richtung = Richtung::InEuro;
    bool m_optionenFrei = true;
};
