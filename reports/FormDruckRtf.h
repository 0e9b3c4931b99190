#pragma once
// The print form: never shown. Its text box RText2 holds one print in
// Courier New 8.25 pt bold; the title and the column header of a report are
// emphasised by fixed character ranges of the text, in which each CR LF
// counts as two characters.

#include "core/Berichte.h"
#include "platform/Drucker.h"
#include <QString>
#include <memory>

class QTextDocument;

class FormDruckRtf final {
public:
    FormDruckRtf();
    ~FormDruckRtf();
    FormDruckRtf(const FormDruckRtf&) = delete;
    FormDruckRtf& operator=(const FormDruckRtf&) = delete;

    QString caption;

    /// The whole text (lines ending with CR LF) in the box's font.
    void textSetzen(const QString& text);
    /// The title range: Arial 14 pt bold, underlined when asked.
    void titelBetonen(Berichte::Bereich b, bool unterstrichen);
    /// The column-header range: bold, underlined when asked.
    void kopfBetonen(Berichte::Bereich b, bool unterstrichen);

    QTextDocument& RText2() { return *m_rtext2; }
    /// The document position of a position in the text as it was set.
    int dokumentPosition(int textPosition) const;

    /// Prints the whole content, page after page.
    bool drucken(Drucker& drucker, const QString& was, Drucker::Ausrichtung a);

private:
    std::unique_ptr<QTextDocument> m_rtext2;
    QString m_text;
};
