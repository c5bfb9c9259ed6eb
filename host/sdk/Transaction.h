#pragma once

class DataModule;
class Database;

// One unit of work: rolled back when the scope ends without Commit(), including
// when an exception leaves it. An inner Transaction nests inside an outer one and
// undoes only its own writes.
class Transaction {
public:
    explicit Transaction(DataModule& data);
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();
    void Rollback();

private:
    Database& m_database;
    bool m_open = true;
};
