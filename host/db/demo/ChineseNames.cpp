#include "host/db/demo/ChineseNames.h"

#include "host/db/demo/DemoRandom.h"

#include <QList>

namespace {

// Each entry is one character and its pinyin initial.
struct Syllable {
    QString character;
    QChar initial;
};

const QList<Syllable>& surnames() {
    static const QList<Syllable> list = {
        {QStringLiteral("王"), u'W'}, {QStringLiteral("李"), u'L'}, {QStringLiteral("张"), u'Z'},
        {QStringLiteral("刘"), u'L'}, {QStringLiteral("陈"), u'C'}, {QStringLiteral("杨"), u'Y'},
        {QStringLiteral("黄"), u'H'}, {QStringLiteral("赵"), u'Z'}, {QStringLiteral("吴"), u'W'},
        {QStringLiteral("周"), u'Z'}, {QStringLiteral("徐"), u'X'}, {QStringLiteral("孙"), u'S'},
        {QStringLiteral("马"), u'M'}, {QStringLiteral("朱"), u'Z'}, {QStringLiteral("胡"), u'H'},
        {QStringLiteral("郭"), u'G'}, {QStringLiteral("何"), u'H'}, {QStringLiteral("林"), u'L'},
        {QStringLiteral("高"), u'G'}, {QStringLiteral("罗"), u'L'}, {QStringLiteral("郑"), u'Z'},
        {QStringLiteral("梁"), u'L'}, {QStringLiteral("谢"), u'X'}, {QStringLiteral("宋"), u'S'},
        {QStringLiteral("唐"), u'T'}, {QStringLiteral("许"), u'X'}, {QStringLiteral("韩"), u'H'},
        {QStringLiteral("沈"), u'S'}, {QStringLiteral("钱"), u'Q'}, {QStringLiteral("蒋"), u'J'},
        {QStringLiteral("叶"), u'Y'}, {QStringLiteral("潘"), u'P'}, {QStringLiteral("冯"), u'F'},
        {QStringLiteral("方"), u'F'}, {QStringLiteral("邵"), u'S'}, {QStringLiteral("俞"), u'Y'},
    };
    return list;
}

const QList<Syllable>& maleCharacters() {
    static const QList<Syllable> list = {
        {QStringLiteral("伟"), u'W'}, {QStringLiteral("强"), u'Q'}, {QStringLiteral("磊"), u'L'},
        {QStringLiteral("军"), u'J'}, {QStringLiteral("洋"), u'Y'}, {QStringLiteral("勇"), u'Y'},
        {QStringLiteral("杰"), u'J'}, {QStringLiteral("涛"), u'T'}, {QStringLiteral("明"), u'M'},
        {QStringLiteral("超"), u'C'}, {QStringLiteral("刚"), u'G'}, {QStringLiteral("平"), u'P'},
        {QStringLiteral("建"), u'J'}, {QStringLiteral("国"), u'G'}, {QStringLiteral("志"), u'Z'},
        {QStringLiteral("海"), u'H'}, {QStringLiteral("鹏"), u'P'}, {QStringLiteral("辉"), u'H'},
        {QStringLiteral("浩"), u'H'}, {QStringLiteral("宇"), u'Y'}, {QStringLiteral("俊"), u'J'},
        {QStringLiteral("斌"), u'B'}, {QStringLiteral("文"), u'W'}, {QStringLiteral("博"), u'B'},
        {QStringLiteral("晨"), u'C'}, {QStringLiteral("子"), u'Z'}, {QStringLiteral("轩"), u'X'},
        {QStringLiteral("华"), u'H'}, {QStringLiteral("峰"), u'F'}, {QStringLiteral("凯"), u'K'},
    };
    return list;
}

const QList<Syllable>& femaleCharacters() {
    static const QList<Syllable> list = {
        {QStringLiteral("芳"), u'F'}, {QStringLiteral("娜"), u'N'}, {QStringLiteral("敏"), u'M'},
        {QStringLiteral("静"), u'J'}, {QStringLiteral("丽"), u'L'}, {QStringLiteral("艳"), u'Y'},
        {QStringLiteral("娟"), u'J'}, {QStringLiteral("秀"), u'X'}, {QStringLiteral("霞"), u'X'},
        {QStringLiteral("英"), u'Y'}, {QStringLiteral("玉"), u'Y'}, {QStringLiteral("兰"), u'L'},
        {QStringLiteral("红"), u'H'}, {QStringLiteral("燕"), u'Y'}, {QStringLiteral("婷"), u'T'},
        {QStringLiteral("雪"), u'X'}, {QStringLiteral("欣"), u'X'}, {QStringLiteral("怡"), u'Y'},
        {QStringLiteral("涵"), u'H'}, {QStringLiteral("萱"), u'X'}, {QStringLiteral("琳"), u'L'},
        {QStringLiteral("慧"), u'H'}, {QStringLiteral("颖"), u'Y'}, {QStringLiteral("佳"), u'J'},
        {QStringLiteral("晓"), u'X'}, {QStringLiteral("梅"), u'M'}, {QStringLiteral("月"), u'Y'},
        {QStringLiteral("思"), u'S'}, {QStringLiteral("雨"), u'Y'}, {QStringLiteral("倩"), u'Q'},
    };
    return list;
}

} // namespace

ChineseNames::Name ChineseNames::make(DemoRandom& random, bool female) {
    const Syllable& surname = random.pick(surnames());
    const QList<Syllable>& given = female ? femaleCharacters() : maleCharacters();
    Name name{surname.character, QString(surname.initial)};
    // About a third of given names are a single character, as in the population.
    const int length = random.chance(35) ? 1 : 2;
    for (int i = 0; i < length; ++i) {
        const Syllable& part = random.pick(given);
        name.fullName += part.character;
        name.initials += part.initial;
    }
    return name;
}
