#include "TestUtil.h"

#include "db/Database.h"
#include "db/Schema.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

namespace {

int keyFor(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return Qt::Key_0 + (u - '0');
    if (u >= 'a' && u <= 'z') return Qt::Key_A + (u - 'a');
    if (u >= 'A' && u <= 'Z') return Qt::Key_A + (u - 'A');
    // Qt's key codes for Latin-1 characters are their upper-case code points.
    const char16_t upper = c.toUpper().unicode();
    if (upper >= 0x20 && upper <= 0xFF) return upper;
    return Qt::Key_unknown;
}

} // namespace

void typeText(QWidget* w, const QString& text) {
    for (QChar c : text) {
        const int key = keyFor(c);
        const Qt::KeyboardModifiers mods =
            c.isUpper() ? Qt::KeyboardModifiers(Qt::ShiftModifier) : Qt::NoModifier;
        QKeyEvent press(QEvent::KeyPress, key, mods, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

void pressEnter(QWidget* w) {
    QTest::keyClick(w, Qt::Key_Return);
}

TempProgramDir::TempProgramDir(bool enter, const QDate& today) {
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    m_ok = Schema::createEmptyDatabase(dbPath(), today, &m_error);
    if (enter) {
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
}

TempProgramDir::~TempProgramDir() {
    if (!m_previous.isEmpty()) QDir::setCurrent(m_previous);
}

QString TempProgramDir::dbPath() const {
    return m_dir.filePath(QString::fromLatin1(Database::FileName));
}
