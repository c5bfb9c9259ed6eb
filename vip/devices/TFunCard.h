#pragma once

#include <QLibrary>
#include <QString>

// The module's one IC card device: the card-device library Card_dll.so from the
// host's system folder, loaded when the module starts and kept until it stops, and
// called by its exports' names. A missing library or export never raises: reads
// give empty text, writes false. The device is initialised on the first read or
// write and stays so; a failed initialisation is tried again next time. One per
// process: Qt unloads a library for every QLibrary of its path as soon as one of
// them unloads it.
class TFunCard {
public:
    TFunCard();
    ~TFunCard();
    TFunCard(const TFunCard&) = delete;
    TFunCard& operator=(const TFunCard&) = delete;

    bool IsLoaded() const { return m_library.isLoaded(); }

    // 0 when the device is ready; otherwise the library's code, after the error box.
    int CardInit();
    int CardInitNoMsg();
    // The card number without any "?" the device puts for what it could not read.
    QString ReadCardNo();
    QString ReadCardDate();
    bool WriteCardNo(const QString& cardNo);
    bool WriteCardNowithoutMsg(const QString& cardNo);
    bool WriteCardDate(const QString& date);
    void SetCardDev();
    void CardExit();
    void Unloadlib();

private:
    QFunctionPointer Export(const char* exportName);
    int Init(bool withMessage);
    QString Read(const char* exportName);
    bool Write(const char* exportName, const QString& text);
    void Call(const char* exportName);

    QLibrary m_library;
    bool m_initialised = false;
};
