#include "transactions/Festbreitenansicht.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

Festbreitenansicht::Festbreitenansicht(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
}

void Festbreitenansicht::setText(const QString& text) {
    m_text = text;
    m_anfaenge.clear();
    m_breite = 0;
    qsizetype anfang = 0;
    const QChar* d = m_text.constData();
    const qsizetype n = m_text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (d[i] == QLatin1Char('\n')) {
            m_anfaenge.push_back(anfang);
            anfang = i + 1;
        }
    }
    // The text after the last line end is a line of its own (perhaps empty),
    // as in a text box: that is where the caret goes at the end.
    m_anfaenge.push_back(anfang);
    for (int i = 0; i < zeilenAnzahl(); ++i)
        m_breite = std::max(m_breite, static_cast<int>(zeilenLaenge(i)));
    m_caretZeile = 0;
    m_caretSpalte = 0;
    bereicheAnpassen();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

qsizetype Festbreitenansicht::zeilenLaenge(int i) const {
    const qsizetype anfang = m_anfaenge[i];
    qsizetype ende = i + 1 < zeilenAnzahl() ? m_anfaenge[i + 1] - 1 : m_text.size();
    if (ende > anfang && m_text.at(ende - 1) == QLatin1Char('\r')) --ende;
    return ende - anfang;
}

QString Festbreitenansicht::zeile(int i) const {
    if (i < 0 || i >= zeilenAnzahl()) return QString();
    return m_text.mid(m_anfaenge[i], zeilenLaenge(i));
}

void Festbreitenansicht::zumEnde() {
    m_caretZeile = std::max(0, zeilenAnzahl() - 1);
    m_caretSpalte = static_cast<int>(zeilenLaenge(m_caretZeile));
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

int Festbreitenansicht::ersteSichtbareZeile() const {
    return verticalScrollBar()->value();
}

int Festbreitenansicht::sichtbareZeilen() const {
    return std::max(1, viewport()->height() / std::max(1, fontMetrics().lineSpacing()));
}

void Festbreitenansicht::bereicheAnpassen() {
    const int seite = sichtbareZeilen();
    verticalScrollBar()->setRange(0, std::max(0, zeilenAnzahl() - seite));
    verticalScrollBar()->setPageStep(seite);
    verticalScrollBar()->setSingleStep(1);
    const int zeichen = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int rand = zeichen / 2;
    horizontalScrollBar()->setRange(
        0, std::max(0, m_breite * zeichen + 2 * rand - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(zeichen);
}

void Festbreitenansicht::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    const bool amEnde = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    bereicheAnpassen();
    if (amEnde) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void Festbreitenansicht::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.setFont(font());
    p.setPen(palette().color(QPalette::Text));
    const QFontMetrics fm = fontMetrics();
    const int hoehe = fm.lineSpacing();
    const int zeichen = fm.horizontalAdvance(QLatin1Char('0'));
    const int x = zeichen / 2 - horizontalScrollBar()->value();
    const int erste = verticalScrollBar()->value();
    const int letzte = std::min(zeilenAnzahl(), erste + sichtbareZeilen() + 1);
    for (int i = erste; i < letzte; ++i) {
        const int y = (i - erste) * hoehe;
        p.drawText(x, y + fm.ascent(), zeile(i));
        if (i == m_caretZeile && hasFocus())
            p.fillRect(x + m_caretSpalte * zeichen, y, 1, hoehe, palette().color(QPalette::Text));
    }
}

void Festbreitenansicht::keyPressEvent(QKeyEvent* e) {
    QScrollBar* v = verticalScrollBar();
    if (e->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(m_text);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Up:
        v->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_PageUp:
        v->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        v->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Home:
        if (e->modifiers() & Qt::ControlModifier) v->setValue(0);
        break;
    case Qt::Key_End:
        if (e->modifiers() & Qt::ControlModifier) zumEnde();
        break;
    default:
        QAbstractScrollArea::keyPressEvent(e);
    }
}

void Festbreitenansicht::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
}

void Festbreitenansicht::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
}
