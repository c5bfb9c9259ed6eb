#include "vip/devices/TCardInfoSet.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/SystemPath.h"
#include "host/sdk/ui/Refuse.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLibrary>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

// The plug library hands out its texts as Card_dll.so does: UTF-8 in a buffer of
// its own that the argument is pointed at.
namespace {

using TextProc = void (*)(const char**);

const QString ConfigKey = QStringLiteral("CardInfo/Name");

QString pluggedText(QLibrary& plug, const char* exportName) {
    const auto get = reinterpret_cast<TextProc>(plug.isLoaded() ? plug.resolve(exportName) : nullptr);
    const char* text = nullptr;
    if (get)
        get(&text);
    return text ? QString::fromUtf8(text) : QString();
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

TCardInfoSet::TCardInfoSet(QWidget* parent)
    : TBaseDialog(parent)
    , m_folder(GetSystemPath() + QStringLiteral("/PlugCard/"))
    , m_devices(new QComboBox)
    , m_info(new QTableWidget(0, 2)) {
    setObjectName(QStringLiteral("TCardInfoSet"));
    setWindowTitle(QStringLiteral("身份证信息识别设置"));
    m_devices->setObjectName(QStringLiteral("cbxDevice"));
    m_info->setObjectName(QStringLiteral("grdInfo"));
    m_info->setHorizontalHeaderLabels({QStringLiteral("功能"), QStringLiteral("说明")});
    m_info->horizontalHeaderItem(0)->setData(Qt::UserRole, QStringLiteral("Action"));
    m_info->horizontalHeaderItem(1)->setData(Qt::UserRole, QStringLiteral("Memo"));
    m_info->horizontalHeader()->setStretchLastSection(true);
    m_info->verticalHeader()->hide();

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("身份证设备选择")));
    row->addWidget(m_devices, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_info);
    layout->addLayout(
        ConfirmButtons(QStringLiteral("确定(&O)"), QStringLiteral("关闭(&C)"), [this] { OnConfirm(); }));

    LoadDevices();
    connect(m_devices, &QComboBox::currentIndexChanged, this, &TCardInfoSet::ShowDevice);
}

void TCardInfoSet::LoadDevices() {
    QLibrary plug(m_folder + QStringLiteral("QnCardInfo.so"));
    if (QFileInfo::exists(plug.fileName()))
        plug.load();
    QString list = pluggedText(plug, "GetCardInfoList");
    m_comment = pluggedText(plug, "GetPlugComment");
    if (list.isEmpty())
        list = QStringLiteral("无=");
    // Each entry is "device name=library file"; the item keeps the file.
    for (const QString& entry : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        m_devices->addItem(entry.left(equals).trimmed(),
                           equals < 0 ? QString() : entry.mid(equals + 1).trimmed());
    }
    m_devices->setCurrentIndex(-1);

    const QString ini = m_folder + QStringLiteral("PlugConfig.ini");
    if (!QFileInfo::exists(ini))
        return;
    const QSettings config(ini, QSettings::IniFormat);
    if (!config.contains(ConfigKey))
        return;
    const int stored = m_devices->findData(config.value(ConfigKey).toString());
    m_devices->setCurrentIndex(stored);
    ShowDevice(stored);
}

void TCardInfoSet::ShowDevice(int index) {
    m_info->setRowCount(0);
    if (index < 0)
        return;
    const auto add = [this](const QString& action, const QString& memo) {
        const int row = m_info->rowCount();
        m_info->insertRow(row);
        m_info->setItem(row, 0, cell(action));
        m_info->setItem(row, 1, cell(memo));
    };
    add(QStringLiteral("文件名"), m_folder + m_devices->itemData(index).toString());
    const QStringList lines = m_comment.split(QLatin1Char(','));
    for (qsizetype i = 0; i < lines.size(); ++i)
        add(i == 0 ? QStringLiteral("说明") : QString(), lines[i]);
}

void TCardInfoSet::OnConfirm() {
    if (m_devices->currentIndex() < 0)
        Refuse(m_devices, QStringLiteral("请选择设备"));
    QSettings config(m_folder + QStringLiteral("PlugConfig.ini"), QSettings::IniFormat);
    config.setValue(ConfigKey, m_devices->currentData().toString());
    config.sync();
    if (config.status() != QSettings::NoError)
        ShowErrorAndAbort(QStringLiteral("身份证设备设置无法写入 %1。").arg(config.fileName()));
    SetModalResult(mrOk);
}
