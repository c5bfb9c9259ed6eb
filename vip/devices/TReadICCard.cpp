#include "vip/devices/TReadICCard.h"

#include "vip/devices/TFunCard.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int PollMs = 1000;

} // namespace

TReadICCard::TReadICCard(TFunCard& card, QWidget* parent)
    : TBaseDialog(parent)
    , m_card(card)
    , m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("TReadICCard"));
    setWindowTitle(QStringLiteral("IC卡读取"));
    setWindowFlag(Qt::FramelessWindowHint);

    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("imgCard"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(48, 48));
    // The picture and the text pass mouse presses on, so dragging either moves the window.
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* text = new QLabel(QStringLiteral("请将你的IC卡放到读卡器的制定区域。。。"));
    text->setObjectName(QStringLiteral("lblPrompt"));
    text->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* exit = new QPushButton(QStringLiteral("退出"));
    exit->setObjectName(QStringLiteral("btnExit"));

    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(text, 1);
    layout->addLayout(row);
    layout->addWidget(exit, 0, Qt::AlignRight);

    m_timer->setInterval(PollMs);
    connect(m_timer, &QTimer::timeout, this, &TReadICCard::OnTimer);
    connect(exit, &QPushButton::clicked, this, [this] {
        m_timer->stop();
        m_cardNo.clear();
        SetModalResult(mrCancel);
    });
}

void TReadICCard::showEvent(QShowEvent* event) {
    TBaseDialog::showEvent(event);
    // Closing inside the show itself would leave the window half shown.
    QTimer::singleShot(0, this, &TReadICCard::OnShown);
}

void TReadICCard::OnShown() {
    if (!isVisible())
        return;
    if (m_card.CardInitNoMsg() != 0) {
        SetModalResult(mrCancel);
        return;
    }
    if (!TryRead())
        m_timer->start();
}

void TReadICCard::OnTimer() {
    if (!isVisible()) {
        m_timer->stop();
        return;
    }
    if (m_card.CardInitNoMsg() == 0)
        TryRead();
}

bool TReadICCard::TryRead() {
    m_cardNo = m_card.ReadCardNo();
    if (m_cardNo.isEmpty())
        return false;
    m_timer->stop();
    SetModalResult(mrOk);
    return true;
}

void TReadICCard::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_dragFrom = event->globalPosition().toPoint() - frameGeometry().topLeft();
    TBaseDialog::mousePressEvent(event);
}

void TReadICCard::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_dragFrom);
    TBaseDialog::mouseMoveEvent(event);
}
