#include "host/sdk/ui/TPicturePage.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/ui/FileDialogService.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/Refuse.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QSize Thumbnail(96, 96);

} // namespace

TPicturePage::TPicturePage(QWidget* parent)
    : QWidget(parent)
    , m_list(new QListWidget)
    , m_add(new QPushButton(QStringLiteral("添加图片")))
    , m_delete(new QPushButton(QStringLiteral("删除图片"))) {
    setObjectName(QStringLiteral("tsPicture"));
    m_list->setObjectName(QStringLiteral("lvPictures"));
    m_add->setObjectName(QStringLiteral("btnAddPicture"));
    m_delete->setObjectName(QStringLiteral("btnDelPicture"));
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(Thumbnail);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    ConnectGuarded(m_add, &QPushButton::clicked, this, &TPicturePage::OnAdd);
    ConnectGuarded(m_delete, &QPushButton::clicked, this, &TPicturePage::OnDelete);
    connect(m_list, &QListWidget::currentRowChanged, this, &TPicturePage::updateButtons);
    updateButtons();
}

void TPicturePage::Load(int kind, int recordId) {
    m_pictures.clear();
    for (const PictureStore::Picture& picture : PictureStore(dmClient()).Load(kind, recordId))
        m_pictures.append({picture, true});
    m_changed = false;
    showPictures();
}

void TPicturePage::Save(int kind, int recordId) {
    if (!m_changed)
        return;
    QList<PictureStore::Picture> pictures;
    for (const Shown& shown : m_pictures)
        pictures.append(shown.picture);
    PictureStore(dmClient()).Save(kind, recordId, pictures);
}

void TPicturePage::Clear() {
    m_pictures.clear();
    m_changed = false;
    showPictures();
}

void TPicturePage::OnAdd() {
    const QString path = FileDialogService::current().openFileName(
        QStringLiteral("添加图片"), QStringLiteral("图片文件 (*.jpg *.jpeg *.png *.bmp *.gif)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (file.size() > MaxFileSize)
        Refuse(m_list, QStringLiteral("图片文件不能超过2MB，请重新选择!"), QStringLiteral("提示"),
               MB::IconWarning);
    if (!file.open(QIODevice::ReadOnly))
        Refuse(m_list, QStringLiteral("无法读取文件：") + path, QStringLiteral("提示"), MB::IconWarning);
    const QByteArray bytes = file.readAll();
    // The contents decide, not the name: a renamed document is no picture.
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    if (!reader.canRead() || reader.read().isNull())
        Refuse(m_list, QStringLiteral("所选文件不是图片，请重新选择!"), QStringLiteral("提示"),
               MB::IconWarning);
    m_pictures.append({{QFileInfo(path).fileName(), bytes}, false});
    m_changed = true;
    showPictures();
    m_list->setCurrentRow(m_list->count() - 1);
}

void TPicturePage::OnDelete() {
    const int row = m_list->currentRow();
    if (row < 0 || (m_pictures.at(row).stored && m_mode != EditRecord))
        return;
    m_pictures.removeAt(row);
    m_changed = true;
    showPictures();
}

void TPicturePage::showPictures() {
    m_list->clear();
    for (const Shown& shown : m_pictures) {
        QImage image;
        image.loadFromData(shown.picture.image);
        m_list->addItem(new QListWidgetItem(
            QIcon(QPixmap::fromImage(image.scaled(Thumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation))),
            shown.picture.fileName));
    }
    updateButtons();
}

void TPicturePage::updateButtons() {
    const int row = m_list->currentRow();
    m_delete->setEnabled(row >= 0 && (!m_pictures.at(row).stored || m_mode == EditRecord));
}
