#include "vip/storedvalue/VipServiceRuleDelegate.h"

#include "host/sdk/ui/KeyFilter.h"
#include "vip/storedvalue/VipServiceRuleModel.h"

#include <QLineEdit>

QWidget* VipServiceRuleDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        const bool money = index.column() == VipServiceRuleModel::OncePrice ||
                           index.column() == VipServiceRuleModel::PriceTotal;
        SetKeyFilter(line, money ? KeyFilter::DigitsDot : KeyFilter::Digits);
        line->setMaxLength(money ? 12 : 4);
    }
    return editor;
}
