#pragma once
// "Aktien- / Fonddaten bearbeiten": corrects the stored data of the main
// window's current package.

#include <QDialog>
#include <array>

class HoverButton;
class MainWindowApi;
class NumericField;
class QDateEdit;
class QLineEdit;

class FormAVEdit final : public QDialog {
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
    QDateEdit* DTPicker1 = nullptr;          ///< datum
    QDateEdit* DTPicker2 = nullptr;          ///< kaufdatum
    std::array<HoverButton*, 13> schalter{}; ///< 10 help, 11 save, 12 close

public slots:
    void schalter_Click(int index);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void speichern();

    MainWindowApi& m_api;
};
