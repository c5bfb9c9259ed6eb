#include "vip/devices/TFunCard.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/SystemPath.h"

// How Card_dll.so is called: texts are UTF-8; a text the library reads out is
// left in its own buffer, which the library points the argument at.
namespace {

using InitProc = int (*)();
using ReadProc = void (*)(const char**);
using WriteProc = bool (*)(const char*);
using PlainProc = void (*)();

} // namespace

TFunCard::TFunCard()
    : m_library(GetSystemPath() + QStringLiteral("/Card_dll.so")) {
    m_library.load();
}

TFunCard::~TFunCard() {
    Unloadlib();
}

int TFunCard::CardInit() {
    return Init(true);
}

int TFunCard::CardInitNoMsg() {
    return Init(false);
}

int TFunCard::Init(bool withMessage) {
    if (m_initialised)
        return 0;
    const auto init = reinterpret_cast<InitProc>(Export("Card_Init"));
    if (!init)
        return 0;
    const int result = init();
    m_initialised = result == 0;
    if (!m_initialised && withMessage)
        ShowError(QStringLiteral("初始化失败！请检查设备配置！"));
    return result;
}

QString TFunCard::ReadCardNo() {
    CardInit();
    return Read("Card_ReadNo").remove(QLatin1Char('?'));
}

QString TFunCard::ReadCardDate() {
    CardInit();
    return Read("Card_ReadDate");
}

bool TFunCard::WriteCardNo(const QString& cardNo) {
    CardInit();
    return Write("Card_WriteNo", cardNo);
}

bool TFunCard::WriteCardNowithoutMsg(const QString& cardNo) {
    CardInitNoMsg();
    return Write("Card_WriteNo", cardNo);
}

bool TFunCard::WriteCardDate(const QString& date) {
    CardInit();
    return Write("Card_WriteDate", date);
}

void TFunCard::SetCardDev() {
    Call("Card_SetDev");
}

void TFunCard::CardExit() {
    Call("Car_dExit");
}

void TFunCard::Unloadlib() {
    if (!m_library.isLoaded())
        return;
    CardExit();
    m_library.unload();
    m_initialised = false;
}

QString TFunCard::Read(const char* exportName) {
    const auto read = reinterpret_cast<ReadProc>(Export(exportName));
    if (!read)
        return {};
    const char* text = nullptr;
    read(&text);
    return text ? QString::fromUtf8(text) : QString();
}

bool TFunCard::Write(const char* exportName, const QString& text) {
    const auto write = reinterpret_cast<WriteProc>(Export(exportName));
    return write && write(text.toUtf8().constData());
}

void TFunCard::Call(const char* exportName) {
    if (const auto call = reinterpret_cast<PlainProc>(Export(exportName)))
        call();
}

QFunctionPointer TFunCard::Export(const char* exportName) {
    // QLibrary would try to load a missing library again on every call.
    return m_library.isLoaded() ? m_library.resolve(exportName) : nullptr;
}
