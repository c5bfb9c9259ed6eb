#include "host/db/procedures/VipCardSearch.h"

#include "host/data/Dialect.h"

namespace {

// The six texts as the search index holds them (the same expression as the index's).
const QString SearchWords =
    QStringLiteral("(a.PYZJM || ' ' || a.Name || ' ' || a.Tel || ' ' || a.VIPBarCode || ' ' "
                   "|| a.CardNo || ' ' || a.IdentityCard)");

// LIKE's own wildcards in the typed text stand for themselves.
QString likeContaining(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("\\%"))
        .replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

// A full-text phrase: the trigram tokenizer matches it as a substring.
QString phrase(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A short text the names' character index answers: letters only, one of them
// beyond ASCII (a Chinese character, which only names hold).
bool inNamesOnly(const QString& text) {
    bool wide = false;
    for (const QChar c : text) {
        if (!c.isLetter())
            return false;
        wide = wide || c.unicode() >= 0x80;
    }
    return wide;
}

// The characters as adjacent tokens of a full-text phrase.
QString characterPhrase(const QString& text) {
    QStringList characters;
    for (const QChar c : text)
        characters.append(QString(c));
    return phrase(characters.join(QLatin1Char(' ')));
}

bool isPostgres(const Dialect& dialect) {
    return dialect.driverName() == QLatin1String("QPSQL");
}

} // namespace

VipCardSearch::Statement VipCardSearch::statement(const Dialect& dialect, const Filter& f, bool useIndex) {
    const QString text = f.text.trimmed();
    const bool fuzzy = !f.byIdentity && !text.isEmpty();
    const bool indexed = useIndex && fuzzy && text.size() >= IndexedLength;
    const bool byName = useIndex && fuzzy && !indexed && inNamesOnly(text);
    Statement s;
    QString from = QStringLiteral("vipcard a JOIN viptype b ON b.CTypeId = a.CardType");
    QStringList where = {QStringLiteral("a.deleted = 0")};
    if (indexed && !isPostgres(dialect)) {
        // The index table leads, so the first MaxRows matches end the search.
        from = QStringLiteral("VipCardSearch s CROSS JOIN vipcard a ON a.id = s.rowid "
                              "JOIN viptype b ON b.CTypeId = a.CardType");
        where.prepend(QStringLiteral("VipCardSearch MATCH ?"));
        s.params.append(phrase(text));
    } else if (indexed) {
        where.append(SearchWords + QStringLiteral(" ILIKE ?"));
        s.params.append(likeContaining(text));
    } else if (byName && !isPostgres(dialect)) {
        from = QStringLiteral("VipNameSearch n CROSS JOIN vipcard a ON a.id = n.rowid "
                              "JOIN viptype b ON b.CTypeId = a.CardType");
        where.prepend(QStringLiteral("VipNameSearch MATCH ?"));
        s.params.append(characterPhrase(text));
    } else if (byName) {
        where.append(QStringLiteral("string_to_array(a.Name, NULL) @> string_to_array(?, NULL)"));
        s.params.append(text);
    }
    if (f.posId > 0) {
        where.append(QStringLiteral("(b.PosRange = 0 OR b.CanAllPos = 1 OR a.CardType IN "
                                    "(SELECT VipType FROM PosVipType WHERE PosId = ?))"));
        s.params.append(f.posId);
    }
    where.append(f.notActivated ? QStringLiteral("a.IsLife = 0 AND a.Lose = 0 AND a.StopUse = 0")
                                : QStringLiteral("a.IsLife = 1"));
    if (f.usableToday) {
        where.append(QStringLiteral("a.IsLife = 1 AND a.StopUse = 0 AND a.Lose = 0 AND a.ValidityDate >= ?"));
        s.params.append(f.today);
    }
    if (f.serviceOnly)
        where.append(QStringLiteral("a.VipCzService = 1"));
    if (f.byIdentity) {
        where.append(QStringLiteral("a.IdentityCard = ?"));
        s.params.append(text);
    } else if (fuzzy) {
        const QStringList fields =
            f.localFields ? QStringList{QStringLiteral("a.PYZJM"), QStringLiteral("a.Name"),
                                        QStringLiteral("a.Tel"), QStringLiteral("a.CardNo")}
                          : QStringList{QStringLiteral("a.PYZJM"),  QStringLiteral("a.Name"),
                                        QStringLiteral("a.Tel"),    QStringLiteral("a.VIPBarCode"),
                                        QStringLiteral("a.CardNo"), QStringLiteral("a.IdentityCard")};
        QStringList any;
        for (const QString& field : fields) {
            any.append(field + QLatin1Char(' ') + dialect.likeIgnoringCase() +
                       QStringLiteral(" ? ESCAPE '\\'"));
            s.params.append(likeContaining(text));
        }
        where.append(QLatin1Char('(') + any.join(QStringLiteral(" OR ")) + QLatin1Char(')'));
    }
    s.sql = QStringLiteral("SELECT a.*, b.TypeName, b.MD, b.IsOnlyJS FROM %1 WHERE %2 LIMIT %3")
                .arg(from, where.join(QStringLiteral(" AND ")))
                .arg(MaxRows);
    return s;
}
