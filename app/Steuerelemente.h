#pragma once
// Small builders for the main window's labels and buttons, shared by the
// window and its views.

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

/// A label with its control name.
inline QLabel* neuesLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

/// A right-aligned value label in a larger bold face.
inline QLabel* wertLabel(const QString& name, QWidget* parent) {
    auto* l = neuesLabel(name, QString(), parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(110);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 1.1);
    f.setBold(true);
    l->setFont(f);
    return l;
}

/// A command button; Enter never presses it by default.
inline QPushButton* befehl(const QString& name, const QString& text, const QString& tipp,
                           QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(tipp);
    b->setAccessibleName(QString(text).remove(QLatin1Char('&')).trimmed());
    b->setMinimumHeight(30);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

/// Red for a text beginning with "-", black otherwise. The window's style
/// sheet draws it by the property "negativ"; the palette says the same.
inline void betragsfarbeSetzen(QLabel* label) {
    const bool negativ = label->text().startsWith(QLatin1Char('-'));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, negativ ? QColor(255, 0, 0) : QColor(Qt::black));
    label->setPalette(p);
    if (label->property("negativ").toBool() == negativ) return;
    label->setProperty("negativ", negativ);
    label->style()->unpolish(label);
    label->style()->polish(label);
}
