#include "host/db/procedures/PinyinInitials.h"

#include <QHash>

#include <memory>
#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

namespace {

// The 3,755 characters of the first level of GB 2312 are sorted by their reading,
// so the code where each initial's run starts gives a common character's initial
// with no dictionary at all.
struct Run {
    unsigned short code;
    char initial;
};
constexpr Run Runs[] = {{0xB0A1, 'A'}, {0xB0C5, 'B'}, {0xB2C1, 'C'}, {0xB4EE, 'D'}, {0xB6EA, 'E'},
                        {0xB7A2, 'F'}, {0xB8C1, 'G'}, {0xB9FE, 'H'}, {0xBBF7, 'J'}, {0xBFA6, 'K'},
                        {0xC0AC, 'L'}, {0xC2E8, 'M'}, {0xC4C3, 'N'}, {0xC5B6, 'O'}, {0xC5BE, 'P'},
                        {0xC6DA, 'Q'}, {0xC8BB, 'R'}, {0xC8F6, 'S'}, {0xCBFA, 'T'}, {0xCDDA, 'W'},
                        {0xCEF4, 'X'}, {0xD1B9, 'Y'}, {0xD4D1, 'Z'}};
constexpr unsigned short FirstLevelEnd = 0xD7FA;

// Family names read otherwise than the character usually is (the initial only
// matters where it differs). Two-character surnames come first.
const QList<std::pair<QString, QString>>& surnames() {
    static const QList<std::pair<QString, QString>> list = {
        {QStringLiteral("尉迟"), QStringLiteral("YC")}, {QStringLiteral("万俟"), QStringLiteral("MQ")},
        {QStringLiteral("长孙"), QStringLiteral("ZS")}, {QStringLiteral("单"), QStringLiteral("S")},
        {QStringLiteral("曾"), QStringLiteral("Z")},    {QStringLiteral("解"), QStringLiteral("X")},
        {QStringLiteral("仇"), QStringLiteral("Q")},    {QStringLiteral("区"), QStringLiteral("O")},
        {QStringLiteral("查"), QStringLiteral("Z")},    {QStringLiteral("翟"), QStringLiteral("Z")},
        {QStringLiteral("覃"), QStringLiteral("Q")},    {QStringLiteral("召"), QStringLiteral("S")},
        {QStringLiteral("种"), QStringLiteral("C")},    {QStringLiteral("重"), QStringLiteral("C")},
        {QStringLiteral("折"), QStringLiteral("S")},    {QStringLiteral("秘"), QStringLiteral("B")},
        {QStringLiteral("繁"), QStringLiteral("P")},    {QStringLiteral("句"), QStringLiteral("G")},
        {QStringLiteral("颉"), QStringLiteral("X")},    {QStringLiteral("隗"), QStringLiteral("W")},
        {QStringLiteral("尉"), QStringLiteral("Y")},
    };
    return list;
}

char firstLevelInitial(unsigned code) {
    if (code < Runs[0].code || code >= FirstLevelEnd)
        return 0;
    char initial = 0;
    for (const Run& run : Runs) {
        if (code < run.code)
            break;
        initial = run.initial;
    }
    return initial;
}

// Per thread: ICU's converters and transliterators are not to be shared between
// threads, and card writes may come from several.
struct Readers {
    UConverter* gb = nullptr;
    std::unique_ptr<icu::Transliterator> hanLatin; // made on the first rare character (it costs ~0.5 s)
    QHash<char16_t, char> rare;
    Readers() {
        UErrorCode status = U_ZERO_ERROR;
        gb = ucnv_open("GB2312", &status);
        if (U_FAILURE(status))
            gb = nullptr;
    }
    ~Readers() {
        if (gb)
            ucnv_close(gb);
    }
    Readers(const Readers&) = delete;
    Readers& operator=(const Readers&) = delete;

    char initial(char16_t c) {
        if (gb) {
            char bytes[4];
            UErrorCode status = U_ZERO_ERROR;
            const int length = ucnv_fromUChars(gb, bytes, sizeof bytes, &c, 1, &status);
            if (U_SUCCESS(status) && length == 2)
                if (const char letter = firstLevelInitial(static_cast<unsigned char>(bytes[0]) << 8 |
                                                          static_cast<unsigned char>(bytes[1])))
                    return letter;
        }
        const auto known = rare.constFind(c);
        if (known != rare.constEnd())
            return *known;
        return rare[c] = transliterated(c);
    }

    char transliterated(char16_t c) {
        if (!hanLatin) {
            UErrorCode status = U_ZERO_ERROR;
            hanLatin.reset(
                icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
            if (U_FAILURE(status)) {
                hanLatin.reset();
                return 0;
            }
        }
        icu::UnicodeString text(c);
        hanLatin->transliterate(text);
        const char16_t first = text.length() > 0 ? text.charAt(0) : 0;
        return first < 0x80 && QChar::isLetter(first) ? static_cast<char>(QChar::toUpper(first)) : 0;
    }
};

bool isHan(char16_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF);
}

} // namespace

QString PinyinInitials::of(const QString& name) {
    thread_local Readers readers;
    const QString trimmed = name.trimmed();
    QString initials;
    qsizetype from = 0;
    for (const auto& [surname, reading] : surnames()) {
        if (trimmed.startsWith(surname)) {
            initials = reading;
            from = surname.size();
            break;
        }
    }
    for (qsizetype i = from; i < trimmed.size(); ++i) {
        const char16_t c = trimmed.at(i).unicode();
        if (c < 0x80) {
            if (QChar::isLetterOrNumber(c))
                initials += QChar(c).toUpper();
        } else if (isHan(c)) {
            if (const char letter = readers.initial(c))
                initials += QLatin1Char(letter);
        }
    }
    return initials.left(50);
}
