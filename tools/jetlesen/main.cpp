// kapito_jetlesen: reads tables of a Jet-format database file (versions 3
// and 4) with mdbtools' libmdb and writes their rows to stdout. Kapito starts
// it as a child process, so that a damaged file can crash only this program.
//
//   kapito_jetlesen DATEI TABELLE...
//
// Output: UTF-8 lines of fields separated by tabs.
//   KJL 1
//   jet <3|4>
//   umfang <rows of all requested tables, as their definitions state>
//   per requested table, in the order asked for, either
//     fehlt <name>
//   or
//     tabelle <name> <rows as stated>
//     spalte <name> <type>        per column in stored order; type is
//                                 i whole number, c currency (amount × 10000),
//                                 f double, d date (days since 1899-12-30,
//                                 negative before), t text, m memo,
//                                 x any other (always NULL)
//     z <value>...                one line per row, in stored order
//     ende <rows> <sum of all currency values>
//   fertig
// A failure ends the output with "fehler <what> [<table> [<page>]]" and exit
// code 1. Values: "\N" is NULL; in texts "\\", "\t", "\n" and "\r" stand for
// backslash, tab, line feed and carriage return. Numbers are written so that
// reading them back gives the same double.

// glib first: mdbtools.h includes it inside extern "C", where its C++ parts
// do not compile.
#include <glib.h>
#include <mdbtools.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace {

// Row slot flags of a data page. The library takes them the other way round
// (it skips moved rows and returns deleted ones), so rows are walked here.
constexpr int SlotGeloescht = 0x8000;
constexpr int SlotVerweis = 0x4000;
constexpr int SlotOffset = 0x1fff;
constexpr int MemoKopf = 12;

std::string g_aus;

void flush() {
    if (!g_aus.empty()) std::fwrite(g_aus.data(), 1, g_aus.size(), stdout);
    g_aus.clear();
}
void aus(const std::string& s) {
    g_aus += s;
    if (g_aus.size() > (1u << 20)) flush();
}

[[noreturn]] void fehler(const std::string& was) {
    aus("fehler\t" + was + "\n");
    flush();
    std::fflush(stdout);
    std::exit(1);
}

void escaped(const char* s, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        switch (s[i]) {
        case '\\':
            g_aus += "\\\\";
            break;
        case '\t':
            g_aus += "\\t";
            break;
        case '\n':
            g_aus += "\\n";
            break;
        case '\r':
            g_aus += "\\r";
            break;
        default:
            g_aus += s[i];
        }
    }
}

void zahl(long long v) {
    char b[32];
    auto r = std::to_chars(b, b + sizeof b, v);
    g_aus.append(b, r.ptr);
}
void gleitkomma(double v) {
    char b[64];
    auto r = std::to_chars(b, b + sizeof b, v);
    g_aus.append(b, r.ptr);
}
std::string summeText(__int128 v) {
    if (v == 0) return "0";
    const bool neg = v < 0;
    std::string s;
    while (v != 0) {
        const int ziffer = int(v % 10);
        s.insert(s.begin(), char('0' + (ziffer < 0 ? -ziffer : ziffer)));
        v /= 10;
    }
    return neg ? "-" + s : s;
}

char typBuchstabe(const MdbColumn* c) {
    switch (c->col_type) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return 'i';
    case MDB_MONEY:
        return 'c';
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return 'f';
    case MDB_DATETIME:
        return 'd';
    case MDB_TEXT:
        return 't';
    case MDB_MEMO:
        return 'm';
    default:
        return 'x';
    }
}

int festeGroesse(int typ) {
    switch (typ) {
    case MDB_BYTE:
        return 1;
    case MDB_INT:
        return 2;
    case MDB_LONGINT:
    case MDB_FLOAT:
        return 4;
    case MDB_MONEY:
    case MDB_DOUBLE:
    case MDB_DATETIME:
        return 8;
    default:
        return -1;
    }
}

struct Leser {
    MdbHandle* mdb;
    MdbTableDef* t;
    std::string name;
    std::vector<MdbField> felder;
    std::vector<char> text; // conversion buffer
    long long zeilen = 0;
    __int128 summe = 0;

    bool jet3() const { return mdb->f->jet_version == MDB_VER_JET3; }
    int seite() const { return int(mdb->fmt->pg_size); }
    int anzahlBei() const { return mdb->fmt->row_count_offset; }

    [[noreturn]] void kaputt(unsigned long pg) {
        fehler("seite\t" + name + "\t" + std::to_string(pg));
    }
    [[noreturn]] void memoKaputt(unsigned long pg) {
        fehler("memo\t" + name + "\t" + std::to_string(pg));
    }

    /// Raw text bytes to UTF-8 through the library (code page 1252 for
    /// Jet 3, UCS-2 with or without compression for Jet 4).
    void textAus(const char* roh, size_t n) {
        if (n == 0) return;
        const size_t platz = 3 * n + 16;
        if (text.size() < platz) text.resize(platz);
        const int len = mdb_unicode2ascii(mdb, roh, n, text.data(), platz);
        escaped(text.data(), size_t(len < 0 ? 0 : len));
    }

    /// The bytes of a memo whose 12-byte header is at kopf in the page.
    std::string memo(const unsigned char* kopf, unsigned long pg) {
        const unsigned long laenge = mdb_get_int32((void*)kopf, 0) & 0xffffffffUL;
        const unsigned long bytes = laenge & 0x3fffffffUL;
        std::string daten;
        auto lvalZeile = [&](long pgRow, void** buf, int* off, size_t* len) {
            *off = -1;
            *len = 0;
            if (mdb_find_pg_row(mdb, int(pgRow), buf, off, len) != 0 || *off < 0 ||
                size_t(*off) + *len > size_t(seite()))
                memoKaputt(pg);
            // A memo lives on long-value pages only; a pointer that leads
            // elsewhere would take some other row's bytes as the note.
            const auto* seitenKopf = static_cast<const unsigned char*>(*buf);
            if (seitenKopf[0] != MDB_PAGE_DATA || std::memcmp(seitenKopf + 4, "LVAL", 4) != 0)
                memoKaputt(pg);
        };
        if (laenge & 0x40000000UL) {
            // all of it in one row of a long-value page
            void* buf = nullptr;
            int off;
            size_t len;
            lvalZeile(mdb_get_int32((void*)kopf, 4), &buf, &off, &len);
            // The stored length and the row must agree: a note cut short
            // is damage, not a shorter note.
            if (len != bytes) memoKaputt(pg);
            daten.assign(static_cast<const char*>(buf) + off, bytes);
        } else if ((laenge & 0xff000000UL) == 0) {
            // a chain of rows, each beginning with the pointer to the next
            long pgRow = mdb_get_int32((void*)kopf, 4);
            daten.reserve(bytes);
            while (daten.size() < bytes) {
                void* buf = nullptr;
                int off;
                size_t len;
                lvalZeile(pgRow, &buf, &off, &len);
                if (len <= 4 || daten.size() + (len - 4) > bytes) memoKaputt(pg);
                const char* z = static_cast<const char*>(buf) + off;
                daten.append(z + 4, len - 4);
                pgRow = mdb_get_int32((void*)z, 0);
                if (daten.size() < bytes && pgRow == 0) memoKaputt(pg);
            }
        } else {
            memoKaputt(pg);
        }
        return daten;
    }

    /// Writes the row at start/len of the current page.
    void zeile(int start, size_t len, unsigned long pg) {
        const unsigned char* p = mdb->pg_buf;
        const int ende = start + int(len) - 1;
        if (start < anzahlBei() || len == 0 || ende >= seite()) kaputt(pg);
        // The trailer must lie inside the row before the library reads it.
        const int breite = jet3() ? 1 : 2;
        const int spalten = jet3() ? p[start] : mdb_get_int16((void*)p, start);
        const int maske = (spalten + 7) / 8;
        if (spalten <= 0 || breite + maske > int(len)) kaputt(pg);
        if (t->num_var_cols > 0) {
            int var, anhang;
            if (jet3()) {
                var = p[ende - maske];
                anhang = maske + 1 + int((len - 1) / 256) + var + 1;
            } else {
                if (breite + maske + 2 > int(len)) kaputt(pg);
                var = mdb_get_int16((void*)p, ende - maske - 1);
                anhang = maske + 2 + 2 * (var + 1);
            }
            if (var > spalten || breite + anhang > int(len)) kaputt(pg);
        }
        if (mdb_crack_row(t, start, len, felder.data()) < 0) kaputt(pg);

        g_aus += "z";
        for (unsigned i = 0; i < t->num_cols; ++i) {
            const MdbColumn* c = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, i));
            const MdbField& f = felder[i];
            g_aus += '\t';
            const char typ = typBuchstabe(c);
            if (c->col_type == MDB_BOOL) {
                g_aus += f.is_null ? "0" : "-1";
                continue;
            }
            if (f.is_null || typ == 'x' || c->row_col_num >= spalten) {
                g_aus += "\\N";
                continue;
            }
            if (f.siz < 0 || f.start < start || f.start + f.siz > ende + 1) kaputt(pg);
            const unsigned char* v = p + f.start;
            const int groesse = festeGroesse(c->col_type);
            if (groesse > 0 && f.siz != groesse) kaputt(pg);
            switch (c->col_type) {
            case MDB_BYTE:
                zahl(v[0]);
                break;
            case MDB_INT:
                zahl(static_cast<int16_t>(v[0] | v[1] << 8));
                break;
            case MDB_LONGINT: {
                uint32_t u;
                std::memcpy(&u, v, 4);
                zahl(static_cast<int32_t>(u));
                break;
            }
            case MDB_MONEY: {
                int64_t w;
                std::memcpy(&w, v, 8);
                zahl(w);
                summe += w;
                break;
            }
            case MDB_FLOAT: {
                float w;
                std::memcpy(&w, v, 4);
                gleitkomma(double(w));
                break;
            }
            case MDB_DOUBLE:
            case MDB_DATETIME: {
                double w;
                std::memcpy(&w, v, 8);
                gleitkomma(w);
                break;
            }
            case MDB_TEXT:
                textAus(reinterpret_cast<const char*>(v), size_t(f.siz));
                break;
            case MDB_MEMO: {
                if (f.siz < MemoKopf) {
                    if (f.siz != 0) kaputt(pg);
                    break;
                }
                const unsigned long laenge = mdb_get_int32((void*)v, 0) & 0xffffffffUL;
                if (laenge & 0x80000000UL) {
                    // kept in the row behind the header, as long as it says
                    if ((laenge & 0x3fffffffUL) != (unsigned long)(f.siz - MemoKopf)) memoKaputt(pg);
                    textAus(reinterpret_cast<const char*>(v) + MemoKopf, size_t(f.siz - MemoKopf));
                } else {
                    unsigned char kopf[MemoKopf];
                    std::memcpy(kopf, v, MemoKopf);
                    const std::string d = memo(kopf, pg);
                    textAus(d.data(), d.size());
                }
                break;
            }
            default:
                g_aus += "\\N";
            }
        }
        g_aus += '\n';
        if (g_aus.size() > (1u << 20)) flush();
        ++zeilen;
    }

    /// Follows the pointer of a moved row to its data and writes it there.
    void verschoben(int zeiger, unsigned long pg) {
        if (zeiger + 4 > seite()) kaputt(pg);
        long pgRow = mdb_get_int32(mdb->pg_buf, zeiger);
        for (int sprung = 0; sprung < 4; ++sprung) {
            const unsigned long ziel = (unsigned long)(pgRow) >> 8 & 0xffffffUL;
            const int nr = int(pgRow & 0xff);
            if (ziel == 0 || mdb_read_pg(mdb, ziel) != seite() || mdb->pg_buf[0] != MDB_PAGE_DATA ||
                (unsigned long)mdb_get_int32(mdb->pg_buf, 4) != t->entry->table_pg)
                kaputt(pg);
            const int anzahl = mdb_get_int16(mdb->pg_buf, anzahlBei());
            if (nr >= anzahl) kaputt(pg);
            const int slot = mdb_get_int16(mdb->pg_buf, anzahlBei() + 2 + 2 * nr);
            if (slot & SlotVerweis) {
                const int z = slot & SlotOffset;
                if (z + 4 > seite()) kaputt(pg);
                pgRow = mdb_get_int32(mdb->pg_buf, z);
                continue;
            }
            int start = -1;
            size_t len = 0;
            if (mdb_find_row(mdb, nr, &start, &len) != 0) kaputt(pg);
            zeile(start & SlotOffset, len, pg);
            if (mdb_read_pg(mdb, pg) != seite()) kaputt(pg);
            return;
        }
        kaputt(pg);
    }

    void alleZeilen() {
        felder.assign(t->num_cols + 1, MdbField{});
        mdb_rewind_table(t);
        while (mdb_read_next_dpg(t)) {
            const unsigned long pg = t->cur_phys_pg;
            const int anzahl = mdb_get_int16(mdb->pg_buf, anzahlBei());
            if (anzahl < 0 || anzahlBei() + 2 + 2 * anzahl > seite()) kaputt(pg);
            for (int r = 0; r < anzahl; ++r) {
                const int slot = mdb_get_int16(mdb->pg_buf, anzahlBei() + 2 + 2 * r);
                if (slot & SlotGeloescht) continue; // deleted, or the moved part of a row
                if (slot & SlotVerweis) {
                    verschoben(slot & SlotOffset, pg);
                    continue;
                }
                int start = -1;
                size_t len = 0;
                if (mdb_find_row(mdb, r, &start, &len) != 0) kaputt(pg);
                zeile(start & SlotOffset, len, pg);
            }
        }
    }
};

MdbCatalogEntry* finden(MdbHandle* mdb, const char* name) {
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (e->object_type == MDB_TABLE && g_ascii_strcasecmp(e->object_name, name) == 0) return e;
    }
    return nullptr;
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
#define KAPITO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KAPITO_ASAN 1
#endif
#endif
#ifdef KAPITO_ASAN
// A single allocation beyond 2 GiB fails as it would under the address-space
// limit, instead of ending the program with a sanitizer report.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=2048";
}
#endif

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "Aufruf: kapito_jetlesen DATEI TABELLE...\n");
        return 2;
    }
    // A damaged length must not let the reader take the machine's memory.
    // Under AddressSanitizer the shadow memory alone exceeds any such limit;
    // its allocator limit (__asan_default_options above) stands in for it.
#ifndef KAPITO_ASAN
    const rlimit grenze{rlim_t(2) << 30, rlim_t(2) << 30};
    setrlimit(RLIMIT_AS, &grenze);
#endif
    // Texts come out as UTF-8; Jet 3 files hold code page 1252.
    setenv("MDBICONV", "UTF-8", 1);
    setenv("MDB_JET3_CHARSET", "CP1252", 1);
    unsetenv("MDBOPTS");
    static char puffer[1 << 16];
    std::setvbuf(stdout, puffer, _IOFBF, sizeof puffer);
    g_aus.reserve(1 << 21);

    aus("KJL 1\n");
    MdbHandle* mdb = mdb_open(argv[1], MDB_NOFLAGS);
    if (!mdb) fehler("datei");
    aus(std::string("jet\t") + (mdb->f->jet_version == MDB_VER_JET3 ? "3" : "4") + "\n");
    // The file is made of whole pages. The library pads a cut-off last page
    // with whatever its buffer held, so a shortened file is refused here.
    struct stat st;
    if (stat(argv[1], &st) != 0 || st.st_size % mdb->fmt->pg_size != 0) fehler("laenge");
    if (!mdb_read_catalog(mdb, MDB_TABLE)) fehler("katalog");

    std::vector<MdbTableDef*> tabellen;
    long long umfang = 0;
    for (int i = 2; i < argc; ++i) {
        MdbCatalogEntry* e = finden(mdb, argv[i]);
        MdbTableDef* t = nullptr;
        if (e) {
            t = mdb_read_table(e);
            if (!t || !mdb_read_columns(t) || t->num_cols == 0 || t->num_cols > MDB_MAX_COLS)
                fehler(std::string("tabelle\t") + argv[i]);
            umfang += t->num_rows;
        }
        tabellen.push_back(t);
    }
    aus("umfang\t" + std::to_string(umfang) + "\n");

    for (int i = 2; i < argc; ++i) {
        MdbTableDef* t = tabellen[size_t(i - 2)];
        if (!t) {
            aus(std::string("fehlt\t") + argv[i] + "\n");
            continue;
        }
        aus("tabelle\t");
        escaped(t->name, std::strlen(t->name));
        aus("\t" + std::to_string(t->num_rows) + "\n");
        for (unsigned c = 0; c < t->num_cols; ++c) {
            const MdbColumn* col = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, c));
            aus("spalte\t");
            escaped(col->name, std::strlen(col->name));
            aus(std::string("\t") + typBuchstabe(col) + "\n");
        }
        Leser l{mdb, t, t->name, {}, {}, 0, 0};
        l.alleZeilen();
        aus("ende\t" + std::to_string(l.zeilen) + "\t" + summeText(l.summe) + "\n");
    }
    aus("fertig\n");
    flush();
    std::fflush(stdout);
    // The process ends here; the library's memory goes with it.
    return 0;
}
