#include "vip/points/ExchangeRuleDelegate.h"

#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/KeyFilter.h"
#include "vip/points/ExchangeRuleModel.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// Nine digits and a sign: enough to type one past the highest number of points.
constexpr int PointsLength = 10;
constexpr int AmountLength = 12;

} // namespace

QWidget* ExchangeRuleDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    const auto* model = qobject_cast<const ExchangeRuleModel*>(index.model());
    if (!model)
        return QStyledItemDelegate::createEditor(parent, option, index);
    using F = ExchangeRuleModel::Field;
    const F field = model->FieldOf(index.column());
    if (field == F::CouponKind) {
        auto* kinds = new QComboBox(parent);
        for (int kind : {CouponKind::CashCoupon, CouponKind::DiscountCard, CouponKind::PreferentialCoupon})
            kinds->addItem(ExchangeRuleModel::CouponKindName(kind));
        return kinds;
    }
    auto* line = new QLineEdit(parent);
    SetKeyFilter(line, field == F::Points ? KeyFilter::DigitsMinus : KeyFilter::DigitsDot);
    line->setMaxLength(field == F::Points ? PointsLength : AmountLength);
    return line;
}

void ExchangeRuleDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* kinds = qobject_cast<QComboBox*>(editor)) {
        kinds->setCurrentIndex(std::max(0, kinds->findText(index.data(Qt::EditRole).toString())));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void ExchangeRuleDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                        const QModelIndex& index) const {
    if (auto* kinds = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, kinds->currentText());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}
