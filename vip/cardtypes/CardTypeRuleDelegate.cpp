#include "vip/cardtypes/CardTypeRuleDelegate.h"

#include "host/sdk/ui/KeyFilter.h"
#include "vip/cardtypes/CardTypeRuleModel.h"

#include <QLineEdit>

namespace {

constexpr int CommentLength = 50;

} // namespace

QWidget* CardTypeRuleDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto* line = qobject_cast<QLineEdit*>(editor);
    const auto* model = qobject_cast<const CardTypeRuleModel*>(index.model());
    if (!line || !model)
        return editor;
    const CardTypeRuleModel::Field field = model->FieldOf(index.column());
    // No bound, rate, base or points is ever negative: a minus sign is refused as typed.
    if (CardTypeRuleModel::IsNumeric(field))
        SetKeyFilter(line, KeyFilter::DigitsDot);
    else if (field == CardTypeRuleModel::Field::Comment)
        line->setMaxLength(CommentLength);
    return editor;
}
