#pragma once
// "Wertpapier kaufen": records a new package and pays for it out of the
// depot account.

#include "platform/Datenfenster.h"

class MainWindowApi;
class NumericField;
class QDateEdit;
class QLineEdit;

class FormAVNeu final : public Datenfenster {
    Q_OBJECT
public:
    explicit FormAVNeu(MainWindowApi& api, QWidget* parent = nullptr);

    // The entry fields in tab order.
    QLineEdit* Textaktie;
    NumericField* Kennummer;
    NumericField* Textstueck;
    NumericField* Textgebuehren;
    NumericField* Textkaufpreis;
    QDateEdit* DTPicker1; ///< purchase date

private:
    void speichern() override;
};
