// Feeds arbitrary bytes to the notes RTF reader, read both as Latin-1 and as
// UTF-8, and checks that what it writes reads back to the same text.
#include "core/Rtf.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* chars = reinterpret_cast<const char*>(data);
    const qsizetype n = static_cast<qsizetype>(size);
    for (const QString& text : {QString::fromLatin1(chars, n), QString::fromUtf8(chars, n)}) {
        const Rtf::Document doc = Rtf::parse(text);
        if (doc.paragraphs.isEmpty()) std::abort();
        if (Rtf::parse(Rtf::write(doc)).plainText() != doc.plainText()) std::abort();
    }
    return 0;
}
