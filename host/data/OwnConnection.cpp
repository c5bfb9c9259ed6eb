#include "host/sdk/OwnConnection.h"

#include "host/data/Database.h"

OwnConnection OwnConnection::OfCurrent() {
    OwnConnection ticket;
    ticket.m_setting = std::make_shared<const DbSetting>(DataModule::current().database().setting());
    return ticket;
}

std::unique_ptr<DataModule> OwnConnection::Open() const {
    return std::make_unique<DataModule>(Database::open(*m_setting));
}
