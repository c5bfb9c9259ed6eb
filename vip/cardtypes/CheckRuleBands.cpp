#include "vip/cardtypes/CheckRuleBands.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/cardtypes/CardTypeRuleGrid.h"

namespace {

using F = CardTypeRuleModel::Field;

constexpr double HighestRate = 100;

} // namespace

void CheckRuleBands(CardTypeRuleGrid& grid, BandTable table, const QString& gapQuestion) {
    const QList<VipTypeRuleRow> rows = grid.RuleModel()->Rules();
    const bool stored = table == BandTable::StoredValue;
    const auto stop = [&](int row, F field) {
        grid.FocusCell(row, field);
        AbandonAt(&grid);
    };
    const auto refuse = [&](const QString& text, int row, F field) {
        grid.FocusCell(row, field);
        Refuse(&grid, text);
    };
    if (rows.isEmpty())
        return;

    const QString firstRow = stored ? QStringLiteral("第1行储值金额下限不是从0开始的，是否继续？")
                                    : QStringLiteral("第1行消费金额下限不是从0开始的，是否继续？");
    if (!rows.first().from.isZero() && !Question(firstRow, QStringLiteral("提示")))
        stop(0, F::From);

    for (int i = 0; i < rows.size(); ++i) {
        const VipTypeRuleRow& row = rows[i];
        const QString n = QStringLiteral("第%1").arg(i + 1);
        switch (table) {
        case BandTable::Discount:
            if (row.discount == 0)
                refuse(n + QStringLiteral("行折扣为0，不能保存！"), i, F::Discount);
            if (row.discount > HighestRate)
                refuse(n + QStringLiteral("行折扣大于100，不能保存！"), i, F::Discount);
            if (row.to < row.from)
                refuse(n + QStringLiteral("行消费金额下限大于上限，不能保存！"), i, F::To);
            break;
        case BandTable::Points:
            if (row.base.isZero())
                refuse(n + QStringLiteral("行积分基数为0，不能保存！"), i, F::Base);
            if (row.to < row.from)
                refuse(n + QStringLiteral("行消费金额下限大于上限，不能保存！"), i, F::To);
            if (row.to.isZero())
                refuse(n + QStringLiteral("行消费金额上限不能为0，不能保存！"), i, F::To);
            break;
        case BandTable::StoredValue:
            if (row.base.isZero())
                refuse(n + QStringLiteral("行储值基数为0，不能保存！"), i, F::Base);
            if (row.to.isZero())
                refuse(n + QStringLiteral("行储值金额上限为0，不能保存！"), i, F::To);
            if (row.to < row.from)
                refuse(n + QStringLiteral("行储值金额下限大于上限，不能保存！"), i, F::To);
            break;
        }
        if (i + 1 == rows.size())
            break;
        const VipTypeRuleRow& next = rows[i + 1];
        if (next.from < row.to) {
            const QString what = stored ? QStringLiteral("储值") : QStringLiteral("消费");
            refuse(QStringLiteral("第%1行%3金额下限小于第%2行%3金额上限，不能保存！")
                       .arg(i + 2)
                       .arg(i + 1)
                       .arg(what),
                   i + 1, F::From);
        }
        if (next.from > row.to && !Question(gapQuestion, QStringLiteral("提示")))
            stop(i + 1, F::From);
    }
}
