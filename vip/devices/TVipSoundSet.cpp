#include "vip/devices/TVipSoundSet.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/devices/VipSoundStore.h"

#include <QFormLayout>
#include <QLineEdit>

namespace {

constexpr int MostDays = 100;
constexpr int CommentLength = 50;

} // namespace

TVipSoundSet::TVipSoundSet(QWidget* parent)
    : TBaseDialog(parent)
    , m_days(DialogFields::NumberEdit("edtDays", KeyFilter::Digits, 3))
    , m_comment(DialogFields::Edit("edtComment", CommentLength)) {
    setObjectName(QStringLiteral("TVipSoundSet"));
    setWindowTitle(QStringLiteral("会员语音提醒设置"));
    const VipSoundStore::Reminder stored =
        VipSoundStore(dmClient()).Load({QStringLiteral("10"), QStringLiteral("祝您生日快乐,幸福安康!")});
    DialogFields::KeepInRange(m_days, QStringLiteral("提前提醒天数"), 1, MostDays);
    m_days->setText(stored.days);
    m_comment->setText(stored.comment);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("提前提醒天数："), m_days);
    form->addRow(QStringLiteral("提醒内容："), m_comment);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(
        ConfirmButtons(QStringLiteral("确定[&O]"), QStringLiteral("取消[&C]"), [this] { OnConfirm(); }));
}

void TVipSoundSet::OnConfirm() {
    // The range is checked on confirming already; an empty field is this dialog's to refuse.
    bool number = false;
    const int days = m_days->text().trimmed().toInt(&number);
    if (!number || days < 1 || days > MostDays)
        Refuse(m_days, QStringLiteral("提前提醒天数必须在 1 到 %1 之间").arg(MostDays));
    if (m_comment->text().trimmed().isEmpty())
        Refuse(m_comment, QStringLiteral("提醒内容不能为空"));
    VipSoundStore(dmClient()).Save({QString::number(days), m_comment->text()});
    SetModalResult(mrOk);
}
