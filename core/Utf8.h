#pragma once
// Stored texts are UTF-8. Where thousands of them are decoded straight into
// a buffer (a report's names, a statement's booking texts), they are decoded
// as QString::fromUtf8 would: a leading byte order mark is kept.

#include <QStringDecoder>

inline QStringDecoder utf8WieFromUtf8() {
    return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                      QStringConverter::Flag::ConvertInitialBom);
}
