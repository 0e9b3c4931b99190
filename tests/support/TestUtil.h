#pragma once
// Helpers for widget tests.

#include <QDate>
#include <QString>
#include <QTemporaryDir>

class QWidget;

/// Types text into w with one key press and release per character. Unlike
/// QTest::keyClicks it copes with any character ("ü", "€").
void typeText(QWidget* w, const QString& text);

/// Presses and releases Return in w.
void pressEnter(QWidget* w);

/// A fresh program directory holding a new, empty "aktien.mdb".
struct TempProgramDir {
    /// enter: make it the working directory until destruction.
    explicit TempProgramDir(bool enter = false, const QDate& today = QDate::currentDate());
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    bool ok() const { return m_ok; }
    QString path() const { return m_dir.path(); }
    QString dbPath() const; ///< path of "aktien.mdb"
    QString error() const { return m_error; }

private:
    QTemporaryDir m_dir;
    QString m_previous;
    QString m_error;
    bool m_ok = false;
};
