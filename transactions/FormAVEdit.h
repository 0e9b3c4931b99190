#pragma once
// "Aktien- / Fonddaten bearbeiten": corrects the stored data of the main
// window's current package.

#include "platform/Datenfenster.h"

class MainWindowApi;
class NumericField;
class QDateEdit;
class QLineEdit;

class FormAVEdit final : public Datenfenster {
    Q_OBJECT
public:
    explicit FormAVEdit(MainWindowApi& api, QWidget* parent = nullptr);

    /// Fills the fields from the main window's current package (the opener does this).
    void ausPaketFuellen();

    QLineEdit* Textaktie = nullptr;
    NumericField* Kennummer = nullptr;
    NumericField* Textstueck = nullptr;
    NumericField* Textkaufpreis = nullptr;
    NumericField* Textgebuehren = nullptr;
    NumericField* Texttageskurs = nullptr;
    QDateEdit* DTPicker1 = nullptr; ///< datum
    QDateEdit* DTPicker2 = nullptr; ///< kaufdatum

private:
    void speichern() override;
};
