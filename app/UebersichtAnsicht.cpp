#include "app/UebersichtAnsicht.h"

#include "app/Steuerelemente.h"
#include "platform/RecordsetModel.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

UebersichtAnsicht::UebersichtAnsicht(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Uebersicht"));
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    Label22 = neuesLabel(QStringLiteral("Label22"), QStringLiteral("Depot - Übersicht"), this);
    Label22->setProperty("ueberschrift", true);
    MSFlexGrid1 = new QTableView(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setAccessibleName(QStringLiteral("Depot - Übersicht"));
    MSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setAlternatingRowColors(true);
    MSFlexGrid1->verticalHeader()->hide();
    box->addWidget(Label22);
    box->addWidget(MSFlexGrid1, 1);
}

QString UebersichtAnsicht::spaltenLayout() {
    return QStringLiteral("<Wertpapier                              |>Stück    |>Kaufkurs      "
                          "|>Gebühren     |>Aktualisiert  |>Tageskurs    |>WP-KN      ");
}

void UebersichtAnsicht::binden(Database& db, Recordset& daten1) {
    loesen();
    m_modell = new RecordsetModel(db, daten1, spaltenLayout(), QString(), this);
    MSFlexGrid1->setModel(m_modell);
    applyLayout(MSFlexGrid1, *m_modell);
    // The name column gives way so that the table fits without scrolling sideways.
    MSFlexGrid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    MSFlexGrid1->horizontalHeader()->setMinimumSectionSize(60);
}

void UebersichtAnsicht::loesen() {
    MSFlexGrid1->setModel(nullptr);
    delete m_modell;
    m_modell = nullptr;
}

void UebersichtAnsicht::setUeberschriftSichtbar(bool sichtbar) {
    Label22->setVisible(sichtbar);
}
